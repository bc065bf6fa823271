#pragma once

#include <string>

#include "tools/vcs/VcsJsonReader.h"
#include "tools/vcs/VcsJsonWriter.h"
#include "tools/vcs/VcsParser.h"

// The full trip a scene author's file makes: stream -> listing text -> JSON -> stream.
inline std::string TokensThenBuild(const std::string& bytes)
{
    std::string listing = StreamToJson(ParseStream(bytes));
    VcsBuildContext context;
    return StreamBytes(StreamFromJson(VcsJson::parse(listing), context));
}

inline std::string BuildFromText(const std::string& json, const std::string& baseDir = ".")
{
    VcsBuildContext context;
    context.baseDir = baseDir;
    return StreamBytes(StreamFromJson(VcsJson::parse(json), context));
}
