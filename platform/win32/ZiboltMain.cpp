// Zibolt.scr: the show as a Windows screen saver.

#include <windows.h>

#include "platform/win32/VWinProgram.h"

int WINAPI WinMain(HINSTANCE module, HINSTANCE, LPSTR, int)
{
    return RunStageProgram(module);
}
