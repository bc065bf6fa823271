#include "platform/sdl/VSdlSound.h"

#include <SDL2/SDL.h>

VSdlSound::~VSdlSound()
{
    if (device_)
        SDL_CloseAudioDevice(device_);
    if (initialised_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool VSdlSound::OpenFor(const SDL_AudioSpec& wanted_format)
{
    if (device_ && wanted_format.freq == format_.freq && wanted_format.format == format_.format &&
        wanted_format.channels == format_.channels)
        return true;
    if (device_) {
        SDL_CloseAudioDevice(device_);
        device_ = 0;
    }
    if (!initialised_) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        initialised_ = true;
    }
    SDL_AudioSpec wanted = wanted_format;
    wanted.callback = nullptr;  // queued, so playing never blocks the show
    wanted.userdata = nullptr;
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &format_, 0);
    if (!device_)
        return false;
    format_ = wanted;
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

bool VSdlSound::Play(const std::string& fileName)
{
    if (fileName.empty()) {
        Stop();
        return true;
    }
    SDL_AudioSpec wanted_format{};
    Uint8* samples = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(fileName.c_str(), &wanted_format, &samples, &length))
        return false;
    bool played = OpenFor(wanted_format);
    if (played) {
        SDL_ClearQueuedAudio(device_);
        played = SDL_QueueAudio(device_, samples, length) == 0;
    }
    SDL_FreeWAV(samples);
    return played;
}

void VSdlSound::Stop()
{
    if (device_)
        SDL_ClearQueuedAudio(device_);
}

bool VSdlSound::IsPlaying() const
{
    return device_ && SDL_GetQueuedAudioSize(device_) > 0;
}
