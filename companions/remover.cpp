// REMOVER.EXE: takes away everything a completed setup left on the machine.
#include "companions.h"
#include "driver_entry.h"
#include "earlier.h"
#include "paths.h"
#include "next_start.h"
#include "program.h"
#include "uninstall_entry.h"
#include "run_log.h"

int RemovalScheduled;
int RemovalFilesLeft;
char RemovalByHand[REMOVAL_BY_HAND_SIZE];
char RemovalInRegistry[REMOVAL_IN_REGISTRY_SIZE];
// The driver Windows loaded at this start runs until the next, its entry and file gone or not.
static BOOL DriverEntryTaken;
// The names of the files that go at the next start, for the exit line of a quiet removal.
static char FilesWaiting[COMPANION_PROGRAM_COUNT * 16 + 32];

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
    const char *name = path;

    if (!PathExists(path))
        return;
    if (DeleteWritableFile(path)) {
        LogStep(TRUE, "Delete %s", path);
        return;
    }
    if ((GetFileAttributesA(path) & FILE_ATTRIBUTE_READONLY) || !DeleteAtNextStart(path)) {
        LogLine("Stays: %s: in use, and cannot go at the next start", path);
        RemovalFilesLeft++;
        LeaveToUser(path);
        return;
    }
    LogLine("Goes at the next start of Windows: %s", path);
    RemovalScheduled++;
    for (const char *p = path; *p; p++)
        if (*p == '\\')
            name = p + 1;
    if (FilesWaiting[0])
        AppendText(FilesWaiting, sizeof FilesWaiting, ", ");
    AppendText(FilesWaiting, sizeof FilesWaiting, name);
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

// The folder is the one setup filled, never the remover's own: the remover may as well have
// been started from the setup diskette, whose programs must stay.
static void RemoveStartMenuProgram(const char *folder, int program)
{
    char path[PATH_BUFFER_SIZE];

    if (JoinPath(path, folder, CompanionProgramFiles[program]))
        DeleteOrSchedule(path);
}

// The folder the Add/Remove entry names, where setup put the programs, may be another user's
// Programs folder; without an entry, the folder is the user's own.
static void RemoveStartMenuFolder(void)
{
    char folder[PATH_BUFFER_SIZE];

    if (!UninstallEntryFolder(folder) && !StartMenuFolderPath(folder))
        return;
    // The remover itself comes last: it is the one file sure to be in use.
    for (int i = 0; i < COMPANION_PROGRAM_COUNT; i++)
        if (i != REMOVER_PROGRAM)
            RemoveStartMenuProgram(folder, i);
    RemoveStartMenuProgram(folder, REMOVER_PROGRAM);
    // WININIT deletes files only, so a folder that still holds one stays for the user.
    if (RemoveDirectoryA(folder)) {
        LogStep(TRUE, "Delete %s", folder);
    } else if (PathExists(folder)) {
        LogLine("Left to the user, since Windows deletes files only: %s", folder);
        LeaveToUser(folder);
    }
}

// One form for every key that stays, and why.
static void LogKeyStays(const char *path, const char *why)
{
    LogLine("Stays: HKEY_LOCAL_MACHINE\\%s: %s", path, why);
}

static void LeaveInRegistry(const char *path)
{
    LogKeyStays(path, "access denied");
    AppendText(RemovalInRegistry, sizeof RemovalInRegistry, "HKEY_LOCAL_MACHINE\\");
    AppendText(RemovalInRegistry, sizeof RemovalInRegistry, path);
    AppendText(RemovalInRegistry, sizeof RemovalInRegistry, "\r\n");
}

// The key goes with the entry's last value unless another program (an inventory tool, say)
// put values of its own there: they stay.
static void DeleteEntry(void)
{
    if (!DeleteUninstallEntry())
        LeaveInRegistry(UNINSTALL_KEY);
    else if (KeyPresent(UNINSTALL_KEY))
        LogKeyStays(UNINSTALL_KEY, "another program's values or keys");
    else
        LogStep(TRUE, "Delete HKEY_LOCAL_MACHINE\\%s", UNINSTALL_KEY);
}

void RemoveVelmora(void)
{
    BOOL aside, settings;

    RemovalScheduled = 0;
    RemovalFilesLeft = 0;
    RemovalByHand[0] = 0;
    RemovalInRegistry[0] = 0;
    FilesWaiting[0] = 0;
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
    if (DriverEntryTaken)
        LogStep(TRUE, "Delete HKEY_LOCAL_MACHINE\\%s", STATIC_DRIVER_KEY);
    // Before the settings: its key, beside theirs, would keep "software\orrimac" in place.
    aside = EarlierInstallationAside();
    DropEarlierInstallation();
    if (aside)
        LogStep(!EarlierInstallationAside(), "Delete HKEY_LOCAL_MACHINE\\%s", EARLIER_SETTINGS_KEY);
    // The files before the settings, each logged as it goes.
    RemoveDriverFiles();
    settings = SettingsKeyPresent();
    DeleteSettings();
    if (PanelSettingsLeft())
        LeaveInRegistry(SETTINGS_KEY);
    else if (settings)
        LogStep(TRUE, "Delete HKEY_LOCAL_MACHINE\\%s", SETTINGS_KEY);
    RemoveStartMenuFolder();
    // Last, and only when nothing of ours stays but the emptied folder: an entry that stays
    // lets the removal be tried again from Control Panel, and one without anything behind it
    // would lead nowhere. A key a stopped removal emptied goes too.
    if (RemovalInRegistry[0] || RemovalFilesLeft > 0)
        LogKeyStays(UNINSTALL_KEY, "for another try");
    else if (KeyPresent(UNINSTALL_KEY))
        DeleteEntry();
}

void ComposeRestartReason(char *text, int size)
{
    static const char NextStart[] = "the next start of Windows";

    lstrcpynA(text, "removed, restart needed: ", size);
    if (RemovalScheduled > 0) {
        AppendText(text, size, FilesWaiting);
        AppendText(text, size, RemovalScheduled > 1 ? " go at " : " goes at ");
        AppendText(text, size, NextStart);
        if (DriverEntryTaken)
            AppendText(text, size, ", and ");
    }
    if (DriverEntryTaken) {
        AppendText(text, size, "the driver Windows loaded runs until ");
        AppendText(text, size, RemovalScheduled > 0 ? "then" : NextStart);
    }
}

BOOL VelmoraPresent(void)
{
    char path[PATH_BUFFER_SIZE];

    if (SettingsKeyPresent() || StaticDriverRegistered() || EarlierInstallationAside() || KeyPresent(UNINSTALL_KEY))
        return TRUE;
    if (SystemFilePath(path, DRIVER_FILE_NAME) && PathExists(path))
        return TRUE;
    return StartMenuFolderPath(path) && PathExists(path);
}

// Only a restart that something waits for is offered: files to delete, or a driver to unload.
BOOL RestartWanted(void)
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
