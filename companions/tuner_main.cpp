// TUNER.EXE sets the touch mode and the right-button feature.
#include "companions.h"
#include "program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    SetupInstance = instance;
    return RunTuner();
}
