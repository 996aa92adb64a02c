// One program at a time changes the installation: setup, the aligner, the tuner, the remover.
#include "setup.h"

// A named mutex, which Windows 95 has: it lives as long as a program that made it runs, so
// a program that stops for any reason frees it.
static const char InstallationMutexName[] = "Velmora Installation";
static HANDLE InstallationLock;

BOOL ClaimInstallation(const char *caption)
{
    HANDLE lock = CreateMutexA(NULL, FALSE, InstallationMutexName);

    if (lock && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(lock);
        if (caption)
            MessageBoxA(NULL, INSTALLATION_BUSY_TEXT, caption, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    // A system that cannot make the mutex at all leaves nothing to guard with; the program
    // runs as it would alone.
    InstallationLock = lock;
    return TRUE;
}

void ReleaseInstallation(void)
{
    if (InstallationLock)
        CloseHandle(InstallationLock);
    InstallationLock = NULL;
}
