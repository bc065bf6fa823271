#pragma once

#include <string>

// The wave file that a sound name stands for. The show names its sounds without an extension
// ("<dir>/Sounds/zibo3"): a name without one means the ".wav" file of that name when there is
// one, else a file of exactly that name. Each part of the path is matched without regard to
// letter case where the exact spelling does not exist, so data written for a system that
// ignores case ("SOUNDS/Zibo3.WAV") is found on one that does not. Empty when nothing matches.
std::string FindSoundFile(const std::string& name);
