// One program at a time changes the installation: setup, the aligner, the tuner, the remover.
#include "program.h"
#include "texts.h"
#include "earlier.h"
#include "journal.h"
#include "paths.h"

// A named mutex, which Windows 95 has: it lives as long as a program that made it runs, so
// a program that stops for any reason frees it.
static const char InstallationMutexName[] = "Velmora Installation";
static HANDLE InstallationLock;

static BOOL TakeLock(const char *caption)
{
    HANDLE lock = CreateMutexA(NULL, FALSE, InstallationMutexName);

    // A lock that cannot be made (the name taken by an object of another kind, or no room
    // for one) guards nothing: going on could mean running beside another of them.
    if (!lock || GetLastError() == ERROR_ALREADY_EXISTS) {
        if (lock)
            CloseHandle(lock);
        if (caption)
            MessageBoxA(NULL, lock ? INSTALLATION_BUSY_TEXT : INSTALLATION_UNGUARDED_TEXT, caption,
                        MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    InstallationLock = lock;
    return TRUE;
}

// A run that the machine stopped before it ended left its journal, and an older setup its
// aside copy; were they put back later, they would undo whatever this program changes now.
// The journal first: it was written after any aside copy was put back.
BOOL ClaimInstallation(const char *caption)
{
    if (!TakeLock(caption))
        return FALSE;
    RollBackJournal();
    PutEarlierInstallationBack();
    return TRUE;
}

// Not the roll-back itself: a program that only tunes the settings would carry it for a
// moment that setup and the remover handle, and the journal's file calls alone would grow
// it by a whole step of its file.
BOOL ClaimSettings(const char *caption)
{
    char journal[PATH_BUFFER_SIZE];

    if (!TakeLock(caption))
        return FALSE;
    if (WindowsFilePath(journal, JOURNAL_FILE_NAME) && GetFileAttributesA(journal) != INVALID_FILE_ATTRIBUTES) {
        if (caption)
            MessageBoxA(NULL, STOPPED_SETUP_TEXT, caption, MB_OK | MB_ICONEXCLAMATION);
        ReleaseInstallation();
        return FALSE;
    }
    PutEarlierInstallationBack();
    return TRUE;
}

void ReleaseInstallation(void)
{
    if (InstallationLock)
        CloseHandle(InstallationLock);
    InstallationLock = NULL;
}
