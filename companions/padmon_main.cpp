// PADMON.EXE, the panel monitor, shows what Velmora stored and tests a touch.
#include "companions.h"
#include "program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    SetupInstance = instance;
    return RunPadmon();
}
