#pragma once

#include <string_view>

#include "tools/vcs/VcsModel.h"

// Reads a whole component stream with the engine's own token readers, keeping every token's
// bytes and length text. A stream that does not read throws VcsStreamError carrying the
// reader's message and the offset where the fault was found.
VcsStream ParseStream(std::string_view bytes);
