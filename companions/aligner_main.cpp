// ALIGNER.EXE aligns the touch panel to the screen again after installation.
#include "companions.h"
#include "program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    SetupInstance = instance;
    return RunAligner();
}
