#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/headless/VHeadlessStage.h"
#include "tools/vcs/VcsJson.h"

// The engine refused a stream: its own message, as the show would report it.
class VcsEngineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A headless stage that has read the stream file as its main stream, every stream class the
// engine knows registered. Throws VcsEngineError with the first reported exception, or
// VcsFileError when the file cannot be read.
std::unique_ptr<VHeadlessStage> LoadStreamOnStage(const std::string& file);

// Throws VcsEngineError when the stage reported an exception (while loading or running).
void CheckNoEngineError(const VHeadlessStage& stage);

// What the engine built: the stage's own settings and, for each component it read, its class,
// name, the pixie fields and what its class holds. Classes this tool does not know in detail
// are given with their class, name and (for pixies) the common pixie fields.
VcsJson DescribeStage(VHeadlessStage& stage);
VcsJson DescribeComponent(VComponent& component);

// "RGB24:" and six hexadecimal digits as a stream spells the colour, or null for -1 (none).
VcsJson ColourJson(int32_t colour);
