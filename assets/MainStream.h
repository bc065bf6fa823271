#pragma once

#include <string_view>

// The show's main component stream (stage settings, the hero, the ship's layers, the stars,
// the doors, the sidekick, the hatch directors and the preview cards), linked into the
// program from the library zibolt_main_stream. The bytes live for the whole run.
std::string_view MainStreamData();
