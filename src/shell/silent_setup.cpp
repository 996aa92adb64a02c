// SETUP.EXE /SILENT /LOADINF=<file>: the installation an accepted calibration leads to, with
// an answer file's values and no window, all of it or none of it.
#include "silent_setup.h"
#include "setup.h"
#include "settings.h"
#include "paths.h"
#include "driver.h"
#include "answers.h"
#include "answer_file.h"
#include "installation_steps.h"
#include "next_start.h"
#include "earlier.h"
#include "removal.h"
#include "driver_entry.h"

static PanelSettingsRecord Answers;
static BOOL AnswersAligned;

// What this run may have to put back besides what an unfinished wizard puts back: the
// companion folder if it made it, each program it replaced (kept aside) or added, and the
// Add/Remove key if it made it. An entry that was there stays: its values follow from the folder, which
// is the one this run uses.
static char Folder[PATH_BUFFER_SIZE];
static BOOL FolderMade;
static int ProgramsTouched;
static char ProgramAside[COMPANION_PROGRAM_COUNT][PATH_BUFFER_SIZE];
static BOOL EntryKeyWasThere;

// By exit code; 1, a command line not understood, ends the run before it gets here.
static const char *const ExitReasons[EXIT_NOT_STORED + 1] = {
    "installed, restart requested",
    "",
    "answer file missing or invalid",
    BUSY_REASON,
    "the driver cannot be copied or loaded",
    "the interface card does not answer on the file's port",
    "the installation could not be stored (registry or files)",
};

static const char *ExitReason(int code)
{
    return code == EXIT_RESTART_NEEDED ? "installed, restart needed" : ExitReasons[code];
}

// The answers over what the machine holds; without corners it keeps its own.
static void TakeAnswers(void)
{
    for (int i = AnswersAligned ? 0 : CORNER_FIELD_COUNT; i < PANEL_SETTING_COUNT; i++)
        *FieldIn(&PanelSettings, &PanelSettingFields[i]) = *FieldIn(&Answers, &PanelSettingFields[i]);
    if (!AnswersAligned)
        LogLine("No corners: the panel is not aligned; ALIGNER.EXE aligns it");
}

// As OK on the calibration screen leaves the driver: mapping by the corners.
static void SendCorners(void)
{
    SetPanelCorners(CornersOfRecord(&PanelSettings));
    SetPanelCalibrate(0, 0);
    LogStep(TRUE, "Send the corners");
}

static BOOL KeepProgramAside(int program, const char *path)
{
    char directory[PATH_BUFFER_SIZE];
    char *aside = ProgramAside[program];
    DWORD length;

    aside[0] = 0;
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return TRUE;
    // GetTempFileNameA adds a name of at most 12 characters (VEL, four digits, .TMP) to the
    // folder, and the result must fit the path buffer.
    length = GetTempPathA(sizeof directory, directory);
    if (length > 0 && length < sizeof directory - 14 && GetTempFileNameA(directory, "VEL", 0, aside) &&
        LogStep(CopyWritableFile(path, aside), "Keep %s aside in %s", path, aside))
        return TRUE;
    // GetTempFileNameA made the file it named.
    DeleteFileA(aside);
    aside[0] = 0;
    return FALSE;
}

static BOOL InstallPrograms(void)
{
    char path[PATH_BUFFER_SIZE];

    FolderMade = StartMenuFolderPath(Folder) && CreateDirectoryA(Folder, NULL);
    for (int i = 0; i < COMPANION_PROGRAM_COUNT; i++) {
        const char *program = CompanionProgramFiles[i];
        if (!Folder[0] || !JoinPath(path, Folder, program) || !KeepProgramAside(i, path))
            return LogStep(FALSE, "Copy %s to %s", program, Folder);
        ProgramsTouched = i + 1;
        if (!CopyCompanionProgram(program, Folder))
            return FALSE;
    }
    return TRUE;
}

static void PutProgramsBack(void)
{
    char path[PATH_BUFFER_SIZE];

    for (int i = 0; i < ProgramsTouched; i++) {
        if (!JoinPath(path, Folder, CompanionProgramFiles[i]))
            continue;
        if (ProgramAside[i][0]) {
            CopyWritableFile(ProgramAside[i], path);
            DeleteFileA(ProgramAside[i]);
        } else {
            DeleteWritableFile(path);
        }
    }
    if (FolderMade)
        RemoveDirectoryA(Folder);
}

static void DropProgramsAside(void)
{
    for (int i = 0; i < ProgramsTouched; i++)
        if (ProgramAside[i][0])
            DeleteFileA(ProgramAside[i]);
}

// The steps of the summary page, the calibration's OK and the finish page, in their order.
static int Install(void)
{
    const char *refusal;

    if (!ReplaceDriverFile(&refusal)) {
        if (refusal)
            LogLine("%s", refusal);
        return EXIT_DRIVER;
    }
    // The driver reads the port from the registry when it loads: save first.
    if (!StoreSettings())
        return EXIT_NOT_STORED;
    if (!LogStep(OpenTouchDriver(), "Load the driver " DRIVER_DEVICE_NAME))
        return EXIT_DRIVER;
    if (!CardAnswers())
        return EXIT_CARD;
    SendCorners();
    CloseTouchDriver();
    if (!RegisterDriverForStart() || !StoreSettings() || !InstallPrograms())
        return EXIT_NOT_STORED;
    if (!RegisterRemover(Folder))
        return EXIT_NOT_STORED;
    // Last: a removal whose restart was declined left deletions at the next start that would
    // take this installation's files with them.
    if (!LogStep(!KeepInstalledFilesAtNextStart(Folder), "Keep them at the next start"))
        return EXIT_NOT_STORED;
    return EXIT_DONE;
}

// An earlier installation comes back whole, as after an unfinished wizard; a machine
// without one loses everything this run stored.
static void PutMachineBack(void)
{
    CloseTouchDriver();
    PutProgramsBack();
    if (!EntryKeyWasThere)
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY);
    RemoveInstallation();
    if (!FirstLoad.DriverRegistered)
        UnregisterStaticDriver();
    LogStep(TRUE, "Put everything back");
}

static int ReplayAnswers(void)
{
    int code;

    if (!ReadAnswerFile(SetupSwitches.Value[SETUP_LOADINF], &Answers, &AnswersAligned))
        return EXIT_ANSWERS;
    LoadPanelSettings();
    TakeAnswers();
    EntryKeyWasThere = KeyPresent(UNINSTALL_KEY);
    code = Install();
    if (code != EXIT_DONE) {
        PutMachineBack();
        return code;
    }
    DropEarlierInstallation();
    DropProgramsAside();
    if (SetupSwitches.Given[SETUP_NORESTART])
        return EXIT_RESTART_NEEDED;
    return LogStep(RequestRestart(), "Request a restart") ? EXIT_DONE : EXIT_RESTART_NEEDED;
}

int RunSilentSetup(void)
{
    int code;

    if (!ClaimInstallation(NULL))
        return EndRun(EXIT_BUSY, BUSY_REASON);
    FolderMade = FALSE;
    ProgramsTouched = 0;
    code = ReplayAnswers();
    ReleaseInstallation();
    return EndRun(code, ExitReason(code));
}
