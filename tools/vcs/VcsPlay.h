#pragma once

#include <string>

class VHeadlessStage;

// Starts what a stream only describes, as the show's scenes would: `what` is a comma-separated
// list of "SPRITE" (its first sequence), "SPRITE:SEQUENCE" and "DIRECTOR" (its timeline from
// frame 1); "*" starts every sprite's first sequence and every director. Sequences repeat and
// timelines loop, so any show time finds them moving. Unknown names throw VcsEngineError.
void StartPlaying(VHeadlessStage& stage, const std::string& what);
