#pragma once

#include <windows.h>

#include <string>

// Where the installer records the folder it installed to (HKCU, or HKLM for all users).
constexpr const char* kInstallerKey = "Software\\Zibolt";
constexpr const char* kInstallerFolderValue = "InstallDir";

// What every Windows program of the show sets up before it builds anything: DIB-section
// bitmaps, GDI text, the profile settings, the installer's data folder and ShellExecuteA for
// starting the about program.
class VProfileControlStore;

// Returns the settings store it installed.
VProfileControlStore& InstallWin32Platform();

// Starts `path` with the shell's "open" verb and `parameters`, not waiting for it.
void OpenWithShell(const std::string& path, const std::string& parameters = "");

// The show's program entry: the one stage, the embedded main stream, the message loop.
// Returns the exit code.
int RunStageProgram(HINSTANCE module);
