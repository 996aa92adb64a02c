// The steps of installing in their one order, and what a failed step does, for the wizard's
// pages and the silent replay alike; each step logged with its outcome when the run keeps a log.
#include "installation.h"
#include "answer_file.h"
#include "answers.h"
#include "driver.h"
#include "driver_entry.h"
#include "earlier.h"
#include "journal.h"
#include "medium.h"
#include "next_start.h"
#include "run_log.h"
#include "texts.h"
#include "uninstall_entry.h"

FirstLoadRecord FirstLoad;
InstallationRun Installation;

// A step that failed: the replay stops, the wizard goes on. The first failure is kept for
// the finish page to name.
static BOOL GoesOn(BOOL done, const char *what)
{
    if (!done && !Installation.FirstFailed)
        Installation.FirstFailed = what;
    return done || !Installation.AllOrNothing;
}

// Every piece the installation may change, as the run found it: the settings, the driver's
// entry, the Add/Remove entry, the deletions of the next start, the driver file, the programs
// and their folder. Once a run, before its first change.
static BOOL JournalInstallation(void)
{
    char path[PATH_BUFFER_SIZE], folder[PATH_BUFFER_SIZE];
    const char *name;
    BOOL recorded;

    if (Installation.Journaled)
        return TRUE;
    recorded = BeginJournal() && JournalFields(SETTINGS_KEY, PanelSettingFields, PANEL_SETTING_COUNT) &&
               JournalValue(STATIC_DRIVER_KEY, STATIC_DRIVER_VALUE) && JournalNextStartLists() &&
               (!SystemFilePath(path, DRIVER_FILE_NAME) || JournalFile(path));
    for (int i = 0; recorded && (name = UninstallEntryValueName(i)) != NULL; i++)
        recorded = JournalValue(UNINSTALL_KEY, name);
    if (recorded && StartMenuFolderPath(folder)) {
        recorded = JournalFolder(folder);
        for (int i = 0; recorded && i < COMPANION_PROGRAM_COUNT; i++)
            recorded = !JoinPath(path, folder, CompanionProgramFiles[i]) || JournalFile(path);
    }
    Installation.Journaled = LogStep(EndJournal(recorded), "Record in " JOURNAL_FILE_NAME " what this run may change");
    return Installation.Journaled;
}

// The first load of a run sees the machine before this run changed anything; the settings
// key is looked for before the load makes one. Without a journal it makes none.
void LoadPanelSettings(void)
{
    char driver[PATH_BUFFER_SIZE];
    BOOL settingsFound = SettingsKeyPresent();

    ReadOrMakePanelSettings(JournalInstallation());
    if (FirstLoad.Taken)
        return;
    FirstLoad.Taken = TRUE;
    FirstLoad.SettingsFound = settingsFound;
    FirstLoad.DriverFileFound = SystemFilePath(driver, DRIVER_FILE_NAME) && IsFile(driver);
    FirstLoad.DriverRegistered = StaticDriverRegistered();
}

BOOL EarlierInstallationFound(void)
{
    return FirstLoad.Taken && (FirstLoad.SettingsFound || FirstLoad.DriverFileFound || FirstLoad.DriverRegistered);
}

// The platform loads the driver from the system directory, so the medium's copy replaces
// whatever an earlier run left there. A system directory whose path leaves no room for the
// file name gets no copy. Nothing changes unless the journal can put it back.
int PrepareDriver(void)
{
    char source[PATH_BUFFER_SIZE] = "", target[PATH_BUFFER_SIZE] = "";
    BOOL paths = MediumFilePath(source, DRIVER_FILE_NAME) && SystemFilePath(target, DRIVER_FILE_NAME);

    Installation.Refusal = NULL;
    if (!JournalInstallation()) {
        Installation.Refusal = JOURNAL_NOT_WRITTEN_TEXT;
        LogLine("%s", Installation.Refusal);
        return EXIT_DRIVER;
    }
    if (!GoesOn(LogStep(paths && ReplaceWritableFile(source, target), "Copy %s to %s",
                        source[0] ? source : DRIVER_FILE_NAME, target), DRIVER_FILE_NAME))
        return EXIT_DRIVER;
    if (!GoesOn(LogStep(SavePanelSettings(), "Save the settings"), REGISTRY_NAME))
        return EXIT_NOT_STORED;
    return LogStep(OpenTouchDriver(), "Load the driver " DRIVER_DEVICE_NAME) ? EXIT_DONE : EXIT_DRIVER;
}

// A probe call that fails, or a reply without a status address, is a card that did not
// answer: there is nothing to read.
int ProbeCard(void)
{
    PanelReply reply;
    LONG status;
    BOOL answers = PanelControl(IOCTL_PANEL_PROBE_CARD, 0, 0, &reply) && ReadReplyValue(&reply, 1, &status) &&
                   status == 0;

    return LogStep(answers, "Probe the card on COM %lu, base %lu, IRQ %lu", PanelSettings.ComPort,
                   PanelSettings.ComBase, PanelSettings.ComIrq) ? EXIT_DONE : EXIT_CARD;
}

void AcceptCorners(const PanelCorners *unsent, BOOL aligned)
{
    if (unsent)
        SetPanelCorners(unsent);
    SetPanelCalibrate(0, 0);
    if (!aligned)
        LogLine("No corners: the panel is not aligned; ALIGNER.EXE aligns it");
    else if (unsent)
        LogStep(TRUE, "Send the corners");
}

// Each program of the medium into the folder, which is made when it is not there. An
// existing folder is simply reused; one that cannot be made shows as failed copies. A
// destination that does not fit the path buffer is no copy: cut short, it would put the file
// somewhere else entirely.
static BOOL InstallPrograms(void (*progress)(const char *program))
{
    const char *folder = Installation.Folder;
    char source[PATH_BUFFER_SIZE], path[PATH_BUFFER_SIZE];

    if (StartMenuFolderPath(Installation.Folder))
        CreateDirectoryA(folder, NULL);
    for (int i = 0; i < COMPANION_PROGRAM_COUNT; i++) {
        const char *program = CompanionProgramFiles[i];
        BOOL copied;
        if (progress)
            progress(program);
        copied = MediumFilePath(source, program) && folder[0] && JoinPath(path, folder, program) &&
                 ReplaceWritableFile(source, path);
        if (i == REMOVER_PROGRAM)
            Installation.RemoverInPlace = copied;
        if (!GoesOn(LogStep(copied, "Copy %s to %s", source[0] ? source : program, folder), program))
            return FALSE;
    }
    return TRUE;
}

static int CommitSteps(void (*progress)(const char *program))
{
    const char *pending;

    Installation.FirstFailed = NULL;
    CloseTouchDriver();
    if (!GoesOn(LogStep(RegisterStaticDriver(), "Write the static-driver entry"), REGISTRY_NAME) ||
        !GoesOn(LogStep(SavePanelSettings(), "Save the settings"), REGISTRY_NAME) || !InstallPrograms(progress))
        return EXIT_NOT_STORED;
    // A removal whose restart was declined left these files to be deleted at the next start
    // of Windows, which would take the new installation's driver and programs with them. Before
    // the entry: a run stopped in between leaves no entry naming a remover about to go.
    pending = KeepInstalledFilesAtNextStart(Installation.Folder);
    if (!GoesOn(LogStep(!pending, "Keep them at the next start"), pending))
        return EXIT_NOT_STORED;
    // Add/Remove Programs runs the remover its entry names: only one that is there.
    if (Installation.RemoverInPlace &&
        !GoesOn(LogStep(WriteUninstallEntry(Installation.Folder, RunBegan), "Write the Add/Remove Programs entry"),
                REGISTRY_NAME))
        return EXIT_NOT_STORED;
    return Installation.FirstFailed ? EXIT_NOT_STORED : EXIT_DONE;
}

// The run's changes stay: its journal, committed, is no longer its own.
static void KeepChanges(void)
{
    Installation.Journaled = FALSE;
    CommitJournal();
}

int CommitInstallation(void (*progress)(const char *program), const char *answerFile)
{
    int code = CommitSteps(progress);

    // A recorded run keeps the answers of an installation that succeeded; a file that cannot
    // be written costs the installation nothing.
    if (answerFile && code == EXIT_DONE)
        Installation.AnswersNotWritten = !WriteAnswerFile(answerFile, &PanelSettings);
    else if (answerFile)
        LogStep(FALSE, "Write the answers");
    if (code != EXIT_DONE && Installation.AllOrNothing)
        return code;
    KeepChanges();
    return code;
}

void PutMachineBack(void)
{
    Installation.Journaled = FALSE;
    LogStep(RollBackJournal(), "Put everything back");
}

// Only a run whose journal is still its own: one put back already (Cancel on the summary
// page) keeps a journal only where a piece would not go back, for the next start to finish.
void EndUnfinishedInstallation(void)
{
    if (!Installation.Journaled)
        return;
    if (EarlierInstallationFound()) {
        PutMachineBack();
    } else {
        KeepChanges();
    }
}

// Every value the answers would store, stored as they are (corners only when the answers
// have them, but then the machine's own must be there), read without making the key. Each
// must be a REG_DWORD, as setup writes it: the driver ignores a value of another type, even
// one with the same four bytes.
static BOOL SettingsInPlace(const PanelSettingsRecord *answers, BOOL aligned)
{
    HKEY key;
    BOOL same = TRUE;

    if (OpenKey(SETTINGS_KEY, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    for (int i = 0; i < PANEL_SETTING_COUNT && same; i++) {
        const RecordField *field = &PanelSettingFields[i];
        DWORD value, type = 0, size = sizeof value;
        same = RegQueryValueExA(key, field->Name, NULL, &type, (BYTE *)&value, &size) == ERROR_SUCCESS &&
               type == REG_DWORD && size == sizeof value &&
               ((!aligned && i < CORNER_FIELD_COUNT) || value == *FieldIn(answers, field));
    }
    RegCloseKey(key);
    return same;
}

// A file of the medium, byte for byte where it is installed.
static BOOL FileInPlace(const char *name, const char *installed)
{
    char medium[PATH_BUFFER_SIZE];

    return MediumFilePath(medium, name) && SameFileBytes(medium, installed);
}

// The programs in folder byte for byte the medium's, the Add/Remove entry written for them,
// none of them due for deletion at the next start.
static BOOL ProgramsInPlace(const char *folder)
{
    char installed[PATH_BUFFER_SIZE];

    for (int i = 0; i < COMPANION_PROGRAM_COUNT; i++)
        if (!JoinPath(installed, folder, CompanionProgramFiles[i]) || !FileInPlace(CompanionProgramFiles[i], installed))
            return FALSE;
    return UninstallEntryIsAsWritten(folder) && !InstalledFilesDueAtNextStart(folder);
}

BOOL InstallationInPlace(const PanelSettingsRecord *answers, BOOL aligned)
{
    char folder[PATH_BUFFER_SIZE], installed[PATH_BUFFER_SIZE];

    if (JournalPresent() || EarlierInstallationAside() || !StaticDriverEntryIsOurs() ||
        !SettingsInPlace(answers, aligned) || !SystemFilePath(installed, DRIVER_FILE_NAME) ||
        !FileInPlace(DRIVER_FILE_NAME, installed))
        return FALSE;
    // Where every user has a Programs folder of his own, the programs are in the folder of the
    // user who installed them, which the entry names: another user's logon finds them there.
    return (StartMenuFolderPath(folder) && ProgramsInPlace(folder)) ||
           (UninstallEntryFolder(folder) && ProgramsInPlace(folder));
}
