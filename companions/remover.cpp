// REMOVER.EXE: takes away everything a completed setup left on the machine.
#include "companions.h"
#include "settings.h"
#include "paths.h"
#include "setup.h"

int RemovalScheduled;
char RemovalByHand[REMOVAL_BY_HAND_SIZE];
char RemovalInRegistry[REMOVAL_IN_REGISTRY_SIZE];

// Windows 95 runs WININIT.EXE from DOS before it starts, and deletes each file named by a
// NUL= line of the [rename] section; it knows only short names, and a name that appears
// twice would be dropped by a plain profile write, so the section is rewritten whole.
static const char WininitFile[] = "WININIT.INI";
static const char WininitSection[] = "rename";
enum { WININIT_SECTION_SIZE = 4096 };

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

// The section as a run of "key=value" strings ending in an empty one; the end is returned.
static char *FindSectionEnd(char *section)
{
    while (*section)
        section += lstrlenA(section) + 1;
    return section;
}

static BOOL SectionHasLine(const char *section, const char *line)
{
    for (; *section; section += lstrlenA(section) + 1)
        if (lstrcmpiA(section, line) == 0)
            return TRUE;
    return FALSE;
}

static BOOL ScheduleDeletion(const char *path)
{
    char line[4 + PATH_BUFFER_SIZE];
    char shortPath[PATH_BUFFER_SIZE];
    char section[WININIT_SECTION_SIZE];
    DWORD used;
    DWORD length = GetShortPathNameA(path, shortPath, sizeof shortPath);

    if (length == 0 || length >= sizeof shortPath)
        return FALSE;
    lstrcpyA(line, "NUL=");
    lstrcatA(line, shortPath);
    section[0] = section[1] = 0;
    used = GetPrivateProfileSectionA(WininitSection, section, sizeof section, WininitFile);
    // A section that filled the buffer may have been cut; writing it back would lose lines.
    if (used >= sizeof section - 2)
        return FALSE;
    if (!SectionHasLine(section, line)) {
        char *end = FindSectionEnd(section);
        if ((end - section) + lstrlenA(line) + 2 > (int)sizeof section)
            return FALSE;
        lstrcpyA(end, line);
        end[lstrlenA(line) + 1] = 0;
        if (!WritePrivateProfileSectionA(WininitSection, section, WininitFile))
            return FALSE;
    }
    RemovalScheduled++;
    return TRUE;
}

// A file in use (the running remover, a driver the system holds) cannot go now; it goes
// at the next start, or, when even that cannot be arranged, the user is told its name.
// WININIT leaves a read-only file where it is, so such a file is never handed to it.
static void DeleteOrSchedule(const char *path)
{
    if (DeleteWritableFile(path))
        return;
    if ((GetFileAttributesA(path) & FILE_ATTRIBUTE_READONLY) || !ScheduleDeletion(path))
        LeaveToUser(path);
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
    // The entry goes first: setup's own removal, used next for the settings and the driver
    // file, spares an installation whose driver Windows still loads at every start.
    UnregisterStaticDriver();
    // An entry that stays makes Windows load the driver at its next start, and the driver
    // reads the settings: taking either away would leave a machine that starts a driver
    // that is not there. Everything stays, the remover with it, for another try.
    if (StaticDriverRegistered()) {
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

static void ComposeRemovalReport(char *text, int size)
{
    if (RemovalInRegistry[0]) {
        lstrcpynA(text, "The Velmora touch screen driver could not be removed completely. Windows did not "
                  "let these registry keys be changed:\r\n", size);
        AppendText(text, size, RemovalInRegistry);
        AppendText(text, size, "\r\n");
    } else {
        lstrcpynA(text, "The Velmora touch screen driver has been removed.\r\n\r\n", size);
    }
    if (RemovalScheduled > 0)
        AppendText(text, size, "Files still in use are deleted at the next start of Windows.\r\n\r\n");
    if (RemovalByHand[0]) {
        AppendText(text, size, "Please delete by hand after the restart:\r\n");
        AppendText(text, size, RemovalByHand);
        AppendText(text, size, "\r\n");
    }
    AppendText(text, size, "Windows must be restarted to finish the removal. Restart Windows now?");
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
    if (MessageBoxA(NULL, "Remove the Velmora touch screen driver?", REMOVER_CAPTION,
                    MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) != IDYES)
        return;
    RemoveVelmora();
    ComposeRemovalReport(report, sizeof report);
    if (MessageBoxA(NULL, report, REMOVER_CAPTION, MB_YESNO | MB_ICONQUESTION) == IDYES)
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
