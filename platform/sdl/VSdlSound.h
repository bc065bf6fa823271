#pragma once

#include <SDL2/SDL_audio.h>
#include <string>

// Wave sounds on SDL audio, one at a time: a new sound cuts the one playing, and an empty
// name silences it. Playing returns at once; the device plays from its own queue.
class VSdlSound {
public:
    VSdlSound() = default;
    ~VSdlSound();
    VSdlSound(const VSdlSound&) = delete;
    VSdlSound& operator=(const VSdlSound&) = delete;

    // False when the file cannot be read or no audio device can be opened.
    bool Play(const std::string& fileName);
    void Stop();
    // True while queued sound remains.
    bool IsPlaying() const;

private:
    bool OpenFor(const SDL_AudioSpec& wanted_format);

    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec format_{};
    bool initialised_ = false;
};
