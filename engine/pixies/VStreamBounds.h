#pragma once

#include <istream>
#include <string>

class VSurface;

// Guards for the lists inside property values (frame lists, sequences, director key frames):
// the counts and lengths they declare are checked against the bytes really there, so a lying
// stream fails at once with a clear message instead of reading on or allocating for it.

// Bytes that can still be read from `stream`, or -1 when the stream cannot tell.
long long BytesLeft(std::istream& stream);

// Reads the value token that stands next as a whole (see LoadStringFromStream); a stream that
// ends where the value should be throws a VStreamException naming `what`.
std::string LoadValueFromStream(std::istream& stream, int& consumed, const std::string& what);

// Throws unless `count` items of at least `minBytes` bytes each fit in what is left.
void CheckDeclaredCount(std::istream& stream, long long count, int minBytes,
                        const std::string& what);
// Throws unless `bytes` bytes are left (nothing to check for 0 or less).
void CheckDeclaredBytes(std::istream& stream, long long bytes, const std::string& what);

// One rule for every bitmap inside a stream (a stage background, a picture, a sprite frame):
// the value's length token says where the value ends. The image is read within that length
// and never past it; bytes the image leaves over inside the value are skipped; a negative
// length, a value cut short by the stream's end, or an image that does not fit throw a
// VStreamException naming `what`. Returns the bytes consumed, length token included.
int LoadBitmapValue(VSurface& surface, std::istream& stream, const std::string& what);
