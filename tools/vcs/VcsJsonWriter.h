#pragma once

#include <string>
#include <string_view>

#include "tools/vcs/VcsJson.h"
#include "tools/vcs/VcsModel.h"

// A payload as JSON: a string when printable, else {"base64": ...}.
VcsJson BytesToJson(std::string_view bytes);

// The listing that `vcs tokens` prints: one property per line, ending with a line feed.
std::string StreamToJson(const VcsStream& stream);
