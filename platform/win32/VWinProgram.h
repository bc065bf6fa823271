#pragma once

#include <windows.h>

#include <string>

// What every Windows program of the show sets up before it builds anything: DIB-section
// bitmaps, GDI text, the profile settings and ShellExecuteA for starting the about program.
void InstallWin32Platform();

// Starts `path` with the shell's "open" verb, not waiting for it.
void OpenWithShell(const std::string& path);

// The show's program entry: the one stage, the embedded main stream, the message loop.
// Returns the exit code.
int RunStageProgram(HINSTANCE module);
