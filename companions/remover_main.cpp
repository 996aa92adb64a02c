// REMOVER.EXE takes the Velmora touch screen driver off the machine.
#include "companions.h"
#include "program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    SetupInstance = instance;
    return RunRemover();
}
