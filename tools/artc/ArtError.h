#pragma once

#include <stdexcept>
#include <string>

// Every failure of the art tools: a bad palette line, a hostile bitmap, a manifest that names a
// missing file. The message says what and where.
class ArtError : public std::runtime_error {
public:
  explicit ArtError(const std::string& message) : std::runtime_error(message) {}
};
