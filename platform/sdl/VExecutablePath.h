#pragma once

#include <string>

// The running program's own file, with links resolved: a link in the screen saver's program
// folder still leads to the installed program and the data beside it. Empty when unknown.
std::string ExecutablePath();
// The folder that holds it.
std::string ExecutableDirectory();
