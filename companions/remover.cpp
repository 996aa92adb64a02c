// REMOVER.EXE: takes away everything a completed setup left on the machine.
#include "companions.h"
#include "driver_entry.h"
#include "earlier.h"
#include "removal.h"
#include "paths.h"
#include "next_start.h"
#include "program.h"

int RemovalScheduled;
char RemovalByHand[REMOVAL_BY_HAND_SIZE];
char RemovalInRegistry[REMOVAL_IN_REGISTRY_SIZE];
// The driver Windows loaded at this start runs until the next, its entry and file gone or not.
static BOOL DriverEntryTaken;

static void AppendText(char *text, int size, const char *more)
{
    int used = lstrlenA(text);

    if (used < size - 1)
        lstrcpynA(text + used, more, size - used);
}

static void LeaveToUser(const char *path)
{
    AppendText(RemovalByHand, sizeof RemovalByHand, path);
    AppendText(RemovalByHand, sizeof RemovalByHand, "\r\n");
}

static BOOL PathExists(const char *path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// A file in use (the running remover, a driver the system holds) cannot go now; it goes
// at the next start, or, when even that cannot be arranged, the user is told its name.
// WININIT leaves a read-only file where it is, so such a file is never handed to it.
static void DeleteOrSchedule(const char *path)
{
    if (DeleteWritableFile(path))
        return;
    if ((GetFileAttributesA(path) & FILE_ATTRIBUTE_READONLY) || !DeleteAtNextStart(path))
        LeaveToUser(path);
    else
        RemovalScheduled++;
}

// The driver, and the earlier driver a stopped setup may have left aside.
static void RemoveDriverFiles(void)
{
    char path[PATH_BUFFER_SIZE];

    if (SystemFilePath(path, DRIVER_FILE_NAME))
        DeleteOrSchedule(path);
    if (SystemFilePath(path, EARLIER_DRIVER_FILE_NAME))
        DeleteOrSchedule(path);
}

// The folder is the one setup fills, found as setup finds it: the remover may as well have
// been started from the setup diskette, whose programs must stay.
static void RemoveStartMenuProgram(const char *folder, int program)
{
    char path[PATH_BUFFER_SIZE];

    if (JoinPath(path, folder, CompanionProgramFiles[program]))
        DeleteOrSchedule(path);
}

static void RemoveStartMenuFolder(void)
{
    char folder[PATH_BUFFER_SIZE];

    if (!StartMenuFolderPath(folder))
        return;
    // The remover itself comes last: it is the one file sure to be in use.
    for (int i = 0; i < COMPANION_PROGRAM_COUNT; i++)
        if (i != REMOVER_PROGRAM)
            RemoveStartMenuProgram(folder, i);
    RemoveStartMenuProgram(folder, REMOVER_PROGRAM);
    // WININIT deletes files only, so a folder that still holds one stays for the user.
    if (!RemoveDirectoryA(folder) && PathExists(folder))
        LeaveToUser(folder);
}

static void LeaveInRegistry(const char *path)
{
    AppendText(RemovalInRegistry, sizeof RemovalInRegistry, "HKEY_LOCAL_MACHINE\\");
    AppendText(RemovalInRegistry, sizeof RemovalInRegistry, path);
    AppendText(RemovalInRegistry, sizeof RemovalInRegistry, "\r\n");
}

void RemoveVelmora(void)
{
    RemovalScheduled = 0;
    RemovalByHand[0] = 0;
    RemovalInRegistry[0] = 0;
    DriverEntryTaken = StaticDriverRegistered();
    // The entry goes first: setup's own removal, used next for the settings and the driver
    // file, spares an installation whose driver Windows still loads at every start.
    UnregisterStaticDriver();
    // An entry that stays makes Windows load the driver at its next start, and the driver
    // reads the settings: taking either away would leave a machine that starts a driver
    // that is not there. Everything stays, the remover with it, for another try.
    if (StaticDriverRegistered()) {
        DriverEntryTaken = FALSE;
        LeaveInRegistry(STATIC_DRIVER_KEY);
        return;
    }
    // Before the settings: its key, beside theirs, would keep "software\orrimac" in place.
    DropEarlierInstallation();
    RemoveInstallation();
    RemoveDriverFiles();
    RemoveStartMenuFolder();
    if (PanelSettingsLeft())
        LeaveInRegistry(SETTINGS_KEY);
}

BOOL VelmoraPresent(void)
{
    char path[PATH_BUFFER_SIZE];

    if (SettingsKeyPresent() || StaticDriverRegistered() || EarlierInstallationAside())
        return TRUE;
    if (SystemFilePath(path, DRIVER_FILE_NAME) && PathExists(path))
        return TRUE;
    return StartMenuFolderPath(path) && PathExists(path);
}

// Only a restart that something waits for is offered: files to delete, or a driver to unload.
static BOOL RestartWanted(void)
{
    return RemovalScheduled > 0 || DriverEntryTaken;
}

static void ComposeRemovalReport(char *text, int size)
{
    if (RemovalInRegistry[0]) {
        lstrcpynA(text, NOT_REMOVED_TEXT, size);
        AppendText(text, size, RemovalInRegistry);
    } else {
        lstrcpynA(text, REMOVED_TEXT, size);
    }
    if (RemovalScheduled > 0)
        AppendText(text, size, REMOVED_AT_RESTART_TEXT);
    if (RemovalByHand[0]) {
        AppendText(text, size, RestartWanted() ? BY_HAND_AFTER_RESTART_TEXT : BY_HAND_TEXT);
        AppendText(text, size, RemovalByHand);
    }
    if (RestartWanted())
        AppendText(text, size, RESTART_QUESTION_TEXT);
    else if (lstrlenA(text) >= 2)
        text[lstrlenA(text) - 2] = 0;
}

// Asks, removes, tells what is left and offers the restart. The first box is the program's
// first window and has none to own it: task-modal, the style for such a box, it opens
// active, where a plain one opened with an inactive title bar.
static void RemoveWithUser(void)
{
    char report[512 + REMOVAL_BY_HAND_SIZE];

    if (!VelmoraPresent()) {
        MessageBoxA(NULL, NOT_INSTALLED_TEXT, REMOVER_CAPTION, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
        return;
    }
    if (MessageBoxA(NULL, REMOVE_QUESTION_TEXT, REMOVER_CAPTION, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) != IDYES)
        return;
    RemoveVelmora();
    ComposeRemovalReport(report, sizeof report);
    if (!RestartWanted())
        MessageBoxA(NULL, report, REMOVER_CAPTION, MB_OK | MB_ICONINFORMATION);
    else if (MessageBoxA(NULL, report, REMOVER_CAPTION, MB_YESNO | MB_ICONQUESTION) == IDYES)
        RequestRestart();
}

int RunRemover(void)
{
    if (!ClaimInstallation(REMOVER_CAPTION))
        return 1;
    RemoveWithUser();
    ReleaseInstallation();
    return 0;
}
