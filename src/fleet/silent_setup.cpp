// SETUP.EXE /SILENT /LOADINF=<file>: the installation an accepted calibration leads to, with
// an answer file's values and no window, all of it or none of it.
#include "silent_setup.h"
#include "installation.h"
#include "answers.h"
#include "answer_file.h"
#include "program.h"
#include "status_file.h"
#include "uninstall_entry.h"

static PanelSettingsRecord Answers;
static BOOL AnswersAligned;
static char Refusal[ANSWER_REFUSAL_SIZE];

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

const char *ReplayExitReason(int code, BOOL inPlace)
{
    if (inPlace)
        return "already installed, nothing changed";
    return code == EXIT_RESTART_NEEDED ? "installed, restart needed" : ExitReasons[code];
}

// The answers over what the machine holds; without corners it keeps its own.
static void TakeAnswers(void)
{
    for (int i = AnswersAligned ? 0 : CORNER_FIELD_COUNT; i < PANEL_SETTING_COUNT; i++)
        *FieldIn(&PanelSettings, &PanelSettingFields[i]) = *FieldIn(&Answers, &PanelSettingFields[i]);
}

// The wizard's phases in its order, each stopping at the first failure. The corners the driver
// maps by are the machine's own where the answers have none: no step of the run's.
static int Install(void)
{
    int code = PrepareDriver();

    if (code == EXIT_DONE)
        code = ProbeCard();
    if (code != EXIT_DONE)
        return code;
    AcceptCorners(&PanelSettings.Corners, AnswersAligned);
    return CommitInstallation(NULL, NULL);
}

static int ReplayAnswers(void)
{
    int code;

    // A management server learns which answer was refused, as the log does.
    if (!ReadAnswerFile(SetupSwitches.Value[SETUP_LOADINF], &Answers, &AnswersAligned, Refusal)) {
        StatusDescription = Refusal;
        return EXIT_ANSWERS;
    }
    // A login script replays at every logon: the second time, and every time after, there is
    // nothing to do and no restart to ask for.
    if (InstallationInPlace(&Answers, AnswersAligned)) {
        LogLine("Already installed with these answers: nothing changed");
        Installation.AlreadyInstalled = TRUE;
        return EXIT_DONE;
    }
    LoadPanelSettings();
    TakeAnswers();
    Installation.AllOrNothing = TRUE;
    code = Install();
    if (code != EXIT_DONE) {
        CloseTouchDriver();
        PutMachineBack();
        return code;
    }
    if (SetupSwitches.Given[SETUP_NORESTART])
        return EXIT_RESTART_NEEDED;
    return LogStep(RequestRestart(), "Request a restart") ? EXIT_DONE : EXIT_RESTART_NEEDED;
}

int RunSilentSetup(void)
{
    int code;

    if (!ClaimInstallation(NULL))
        return EndRun(EXIT_BUSY, BUSY_REASON);
    code = ReplayAnswers();
    ReleaseInstallation();
    // Installed now or found in place, the installation kept the time it was made with it.
    if (code == EXIT_DONE || code == EXIT_RESTART_NEEDED)
        UninstallEntryTime(StatusInstallation, sizeof StatusInstallation);
    return EndRun(code, ReplayExitReason(code, Installation.AlreadyInstalled));
}
