#pragma once

#include <string>
#include <utility>

#include "engine/stream/VObject.h"

// Every engine failure is thrown by value as one of these, carrying one message.
class VException : public VObject {
public:
    explicit VException(std::string message) : message_(std::move(message)) {}
    const std::string& GetMessage() const { return message_; }

private:
    std::string message_;
};

// Stream readers and stream headers.
class VStreamException : public VException {
public:
    using VException::VException;
};

// Bad arguments to bitmap operations, scene files without a type.
class VParamException : public VException {
public:
    using VException::VException;
};

// Sprite frame lookups.
class VSpriteException : public VException {
public:
    using VException::VException;
};

// Named frames, sequences and frame references that are not there.
class VFindException : public VException {
public:
    using VException::VException;
};

inline void Assert(bool condition, const std::string& message)
{
    if (!condition)
        throw VException(message);
}
