#pragma once

#include <functional>
#include <string>

// Starts another program without waiting for it; failures are ignored. The default starts
// the file through the system's command shell when it exists; a platform (or a test) may
// install its own.
using VProgramLauncher = std::function<void(const std::string& path)>;

// Installs `launcher` (an empty one restores the default) and returns the previous one.
VProgramLauncher SetProgramLauncher(VProgramLauncher launcher);
void LaunchProgram(const std::string& path);
