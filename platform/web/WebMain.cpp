// The show in a web page. The page (page.js) starts it with --seed N [--size WxH] [--hold MS],
// then calls zibolt_frame once per display frame and hands over input and the overlay's wishes.

#include <emscripten/emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "engine/stream/VException.h"
#include "platform/freetype/VGlyphAtlas.h"
#include "platform/web/VWebPage.h"
#include "platform/web/VWebShow.h"
#include "platform/web/VWebStage.h"
#include "show/RegisterShowClasses.h"
#include "show/VControlSettings.h"
#include "show/VIniControlStore.h"
#include "show/VRandom.h"

namespace {

constexpr const char* kMainStream = "/stream/Main.vcs";
constexpr const char* kGlyphAtlas = "/stream/Balloon.glyphs";
constexpr const char* kSettings = "/settings/control.ini";
constexpr int kMinSide = 16;
constexpr int kMaxSide = 4096;

std::unique_ptr<VWebStage> theStage;
std::unique_ptr<VAtlasTextRenderer> theText;
std::string sceneList;

// Input reaches the stage outside its run loop's guard: a handler's failure is reported as the
// loop reports it, and the show goes on.
template <class Step>
void Guarded(Step step)
{
    if (!theStage)
        return;
    try {
        step(*theStage);
    } catch (...) {
        theStage->HandleCurrentException();
    }
}

struct Options {
    unsigned seed = 1;
    int width = 1280;
    int height = 720;
    double holdMs = -1;
};

bool ParseNumber(const std::string& text, double low, double high, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0' && value >= low && value <= high;
}

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = i + 1 < argc ? argv[i + 1] : "";
        double number = 0;
        const std::optional<unsigned> seed = option == "--seed" ? ParseSeed(value) : std::nullopt;
        if (seed) {
            options.seed = *seed;
        } else if (option == "--size") {
            const std::size_t x = value.find_first_of("xX");
            double w = 0, h = 0;
            if (x == std::string::npos || !ParseNumber(value.substr(0, x), kMinSide, kMaxSide, w) ||
                !ParseNumber(value.substr(x + 1), kMinSide, kMaxSide, h) || w != int(w) || h != int(h))
                throw VParamException("The size is WIDTHxHEIGHT, each from 16 to 4096, not \"" +
                                      value + "\".");
            options.width = int(w);
            options.height = int(h);
        } else if (option == "--hold" && ParseNumber(value, 0, 3600e3, number)) {
            options.holdMs = number;
        } else {
            throw VParamException("Unknown or bad option " + option + " \"" + value + "\".");
        }
    }
    return options;
}

std::string ReadFile(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw VException(std::string("Cannot open ") + path + ".");
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void Start(const Options& options)
{
    // Settings live for the page's life. A page is silent until the viewer switches sound on:
    // browsers refuse to play before the viewer did anything.
    SetControlStore(std::make_unique<VIniControlStore>(kSettings, "Zibolt"));
    WriteControlValue("Sound", "0");
    FixRandomSeed(options.seed);
    try {
        theText = std::make_unique<VAtlasTextRenderer>(ReadGlyphAtlas(ReadFile(kGlyphAtlas), kGlyphAtlas));
    } catch (const VException& e) {
        // The show goes on without text; every balloon then names what is missing.
        VWebPage::Report(e.GetMessage());
        theText = std::make_unique<VAtlasTextRenderer>(VGlyphSets{});
    }
    SetTextRenderer(theText.get());
    RegisterShowClasses();

    theStage = std::make_unique<VWebStage>();
    theStage->SetStageSize(options.width, options.height);
    theStage->SetMainStreamFile(kMainStream);
    if (options.holdMs >= 0)
        theStage->HoldAt(options.holdMs);
    std::unique_ptr<std::istream> stream = theStage->LoadResourceStream();
    theStage->AddComponentStream(stream.get());
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        Start(ParseOptions(argc, argv));
    } catch (const VException& e) {
        VWebPage::Report(e.GetMessage());
        theStage.reset();
        return 1;
    }
    return 0;
}

// --- what the page calls ---
extern "C" {

// One display frame; 0 once the show has ended (or never started).
EMSCRIPTEN_KEEPALIVE int zibolt_frame()
{
    // The run loop guards its cycles; starting it raises the show's set-up outside them. A
    // failure there is reported and the show goes on.
    bool alive = theStage != nullptr;
    Guarded([&](VWebStage& stage) { alive = stage.Frame(); });
    return alive ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int zibolt_held()
{
    return theStage && theStage->IsHeld() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void zibolt_visible(int visible)
{
    Guarded([&](VWebStage& stage) { stage.SetPageVisible(visible != 0); });
}

// kind: 0 move, 1 button down, 2 button up; in stage pixels.
EMSCRIPTEN_KEEPALIVE void zibolt_mouse(int kind, float x, float y)
{
    Guarded([&](VWebStage& stage) {
        if (kind == 1)
            stage.MouseDown(x, y);
        else if (kind == 2)
            stage.MouseUp(x, y);
        else
            stage.MouseMove(x, y);
    });
}

// The key's code as the platform numbers keys (a browser's keyCode does the same).
EMSCRIPTEN_KEEPALIVE void zibolt_key(int down, int code)
{
    const auto key = static_cast<uint8_t>(code > 0 && code < 256 ? code : 0xFF);
    Guarded([&](VWebStage& stage) {
        if (down)
            stage.KeyDown(key, key);
        else
            stage.KeyUp(key, key);
    });
}

EMSCRIPTEN_KEEPALIVE void zibolt_activate(int active)
{
    Guarded([&](VWebStage& stage) { stage.Activate(active); });
}

EMSCRIPTEN_KEEPALIVE void zibolt_set_sound(int on)
{
    Guarded([&](VWebStage& stage) { stage.SetSoundEnabled(on != 0); });
}

EMSCRIPTEN_KEEPALIVE int zibolt_sound()
{
    return theStage && theStage->IsSoundEnabled() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* zibolt_scenes()
{
    sceneList.clear();
    Guarded([&](VWebStage& stage) { sceneList = VWebShow::ListScenes(stage); });
    return sceneList.c_str();
}

EMSCRIPTEN_KEEPALIVE int zibolt_play_next(const char* name)
{
    bool done = false;
    Guarded([&](VWebStage& stage) { done = VWebShow::PlayNext(stage, name); });
    return done ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int zibolt_add_scene(const char* name, const char* bytes, int length)
{
    bool done = false;
    if (length >= 0)
        Guarded([&](VWebStage& stage) {
            done = VWebShow::AddSceneFile(stage, name, std::string_view(bytes, std::size_t(length)));
        });
    return done ? 1 : 0;
}

}  // extern "C"
