#include "platform/web/VWebPage.h"

#include <emscripten/emscripten.h>

// clang-format off
EM_JS(void, zibolt_page_size, (int width, int height), {
    Module.zibolt.setSize(width, height);
});
EM_JS(void, zibolt_page_frame, (const uint8_t* rgba, int width, int height), {
    Module.zibolt.showFrame(HEAPU8.subarray(rgba, rgba + width * height * 4), width, height);
});
EM_JS(void, zibolt_page_cursor, (int show), {
    Module.zibolt.showCursor(show != 0);
});
EM_JS(void, zibolt_page_report, (const char* message), {
    Module.zibolt.report(UTF8ToString(message));
});
EM_JS(int, zibolt_page_sound, (const char* name, const uint8_t* wave, int length), {
    return Module.zibolt.playSound(UTF8ToString(name), HEAPU8.slice(wave, wave + length)) ? 1 : 0;
});
// clang-format on

namespace VWebPage {

void SetCanvasSize(int width, int height)
{
    zibolt_page_size(width, height);
}

void ShowFrame(const uint8_t* rgba, int width, int height)
{
    zibolt_page_frame(rgba, width, height);
}

void ShowCursor(bool show)
{
    zibolt_page_cursor(show ? 1 : 0);
}

void Report(const std::string& message)
{
    zibolt_page_report(message.c_str());
}

bool PlaySound(const std::string& name, const std::string& wave)
{
    return zibolt_page_sound(name.c_str(), reinterpret_cast<const uint8_t*>(wave.data()),
                             static_cast<int>(wave.size())) != 0;
}

}  // namespace VWebPage
