#pragma once

#include <nlohmann/json.hpp>

// Keys keep their order, so listings read in stream order and errors follow the source.
using VcsJson = nlohmann::ordered_json;

// The value of the "format" key of every token listing.
inline constexpr const char* kVcsFormat = "vcs-tokens-1";
