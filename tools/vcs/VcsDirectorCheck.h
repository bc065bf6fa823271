#pragma once

#include <string>
#include <vector>

#include "tools/vcs/VcsModel.h"

class VDirector;

// Director timelines that the engine plays, but not as their author meant; `vcs build` and
// `vcs show` refuse them. The answer is empty when all is well, else one line that names the
// director and what is wrong:
//  - a track whose next key frame sets another key where this one sets XPos, YPos or ZPos: the
//    director pairs the values of two key frames by their place in the sorted assignments,
//    so it would move one key towards the other key's value. The line names the pixie and
//    both frame numbers.
//  - a director that directs itself, directly or through other directors: the engine skips
//    such a track, so it never plays.
std::string DirectorFault(const std::vector<VDirector*>& directors);

// The same for the directors that the stream's "VDirector" records make, read as the engine
// reads them (records of one name go into one director, as the engine's loader does).
std::string StreamDirectorFault(const VcsStream& stream);
