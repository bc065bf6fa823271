#pragma once

#include <optional>
#include <string>
#include <string_view>

// Byte helpers shared by the JSON writer and reader.

// Bytes 0x20..0x7E plus LF, CR and TAB: what a JSON string carries in a token listing.
bool IsPrintableText(std::string_view bytes);

std::string EncodeBase64(std::string_view bytes);
// Strict standard base64 with padding; nothing when the text is not that.
std::optional<std::string> DecodeBase64(std::string_view text);

// Bytes shown inside a message: quoted, escaped, cut after a few dozen characters.
std::string Quoted(std::string_view bytes);
// The same escaping without quotes and without a cut, so a message stays one printable line.
std::string OneLine(std::string_view text);
