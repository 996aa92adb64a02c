// One program at a time changes the installation: setup, the aligner, the tuner, the remover.
#include "program.h"
#include "texts.h"
#include "earlier.h"

// A named mutex, which Windows 95 has: it lives as long as a program that made it runs, so
// a program that stops for any reason frees it.
static const char InstallationMutexName[] = "Velmora Installation";
static HANDLE InstallationLock;

BOOL ClaimInstallation(const char *caption)
{
    HANDLE lock = CreateMutexA(NULL, FALSE, InstallationMutexName);

    // A lock that cannot be made (the name taken by an object of another kind, or no room
    // for one) guards nothing: going on could mean running beside another of them.
    if (!lock || GetLastError() == ERROR_ALREADY_EXISTS) {
        if (lock)
            CloseHandle(lock);
        MessageBoxA(NULL, lock ? INSTALLATION_BUSY_TEXT : INSTALLATION_UNGUARDED_TEXT, caption,
                    MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    InstallationLock = lock;
    // A run that the machine stopped before it ended left the earlier installation aside;
    // were it put back later, it would undo whatever this program changes now.
    PutEarlierInstallationBack();
    return TRUE;
}

void ReleaseInstallation(void)
{
    if (InstallationLock)
        CloseHandle(InstallationLock);
    InstallationLock = NULL;
}
