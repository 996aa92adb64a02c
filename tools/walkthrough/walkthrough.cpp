// Walks the setup wizard of a medium from the welcome page to the finish page, then the
// installed ALIGNER.EXE and PADMON.EXE's check of the alignment, driving them from outside as
// a user would, and saves a picture of the screen at every page.
//
//   walkthrough.exe MEDIUM                      prepares the machine, starts SETUP.EXE, waits
//   walkthrough.exe MEDIUM PICTURES [SECONDS]   the same, then walks it; BMPs and walk.log
//                                               go to PICTURES; SECONDS is the wait per step
//
// VELMORA_WALK_SWITCHES, when set, is setup's command line after its name, e.g.
// /SAVEINF=<file> to record the answers of the walk for a fleet (scripts/fleet.sh).
//
// Exit code 0 when the walk reached the installed finish page and ALIGNER's testing step, each
// time with the corners where the simulated panel puts the screen's corners, ALIGNER called its
// alignment good, PADMON's check found it good, a drifted panel shifted and a grown one's span
// changed, and no picture is blank; 1 when it stopped earlier or saw a wrong result (the last
// line of walk.log says which); 2 on bad arguments, a malformed QUARLO_SIM_* variable or no
// SETUP.EXE.
#include <windows.h>
#include <stdarg.h>
#include <stdio.h>
#include "driver.h"
#include "resource.h"
#include "paths.h"
#include "settings.h"
#include "sim_settings.h"
#include "acting.h"
#include "alignment_check.h"
#include "companion_resource.h"
#include "reading.h"
#include "screen_picture.h"
#include "serial_ports.h"
#include "setup_pages.h"
#include "waiting.h"
#include "walk_judge.h"

static PROCESS_INFORMATION Setup;     // the program walked: SETUP.EXE, then ALIGNER.EXE
static const char *Walked = "SETUP.EXE";
static char PictureFolder[MAX_PATH];
static FILE *Log;
static DWORD StepSeconds = 20;
static DWORD WaitBegan;                // when the last wait began, to tell a step given up
static int PicturesTaken;
static char BlankPicture[64];          // the first picture whose page showed as one colour
static char StopReason[512];           // why the walk stopped, for its last line too
static char WrongVerdict[512];         // the first verdict the walk saw that was not the one due
static SimulationSettings Simulation;  // what the simulated driver inside setup reads

static void Say(const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    if (Log) {
        vfprintf(Log, format, arguments);
        fputc('\n', Log);
        fflush(Log);
    }
    va_end(arguments);
}

// ---- the machine ------------------------------------------------------------------------

static void SetMachinesSerialPorts(void)
{
    if (SetSerialPortMap({ "COM1", "COM2" }))
        Say("serial-port map: COM1, COM2");
    else
        Say("could not open the serial-port map; the port page shows what the host offers");
}

static BOOL StartProgram(const char *folder)
{
    char program[MAX_PATH + 16], switches[MAX_PATH] = "";
    STARTUPINFOA startup = {};
    BOOL started;

    snprintf(program, sizeof program, "%s\\%s", folder, Walked);
    // Setup's switches, e.g. /SAVEINF=<file> for a fleet's answers (scripts/fleet.sh).
    if (Walked == std::string("SETUP.EXE"))
        GetEnvironmentVariableA("VELMORA_WALK_SWITCHES", switches, sizeof switches);
    // The current directory is the medium, as when the user runs setup from the diskette:
    // setup finds the driver and the companion programs there by their bare names.
    if (switches[0]) {
        std::string commandLine = std::string("\"") + program + "\" " + switches;
        startup.cb = sizeof startup;
        started = CreateProcessA(program, &commandLine[0], NULL, NULL, FALSE, 0, NULL, folder, &startup, &Setup);
    } else {
        started = StartProgramIn(program, folder, &Setup);
    }
    if (!started) {
        Say("cannot start %s (error %lu)", program, GetLastError());
        return FALSE;
    }
    Say("started %s%s%s in %s", program, switches[0] ? " " : "", switches, folder);
    return TRUE;
}

static void SayText(HWND page, int id, const char *role)
{
    Say("  %s: \"%s\"", role, ControlText(page, id).c_str());
}

// A line a program shows must begin with `starts` and, unless NULL, hold `holds`; the first
// that does not is kept for the walk's last line.
static void JudgeText(HWND page, int id, const char *picture, const char *starts, const char *holds)
{
    std::string seen = ControlText(page, id);
    if (!WrongVerdict[0] && (seen.compare(0, strlen(starts), starts) != 0 || (holds && seen.find(holds) == std::string::npos)))
        snprintf(WrongVerdict, sizeof WrongVerdict, "picture %s shows \"%s\", not \"%s ...%s%s\"", picture, seen.c_str(),
                 starts, holds ? holds : "", holds ? " ..." : "");
}

// ---- pictures ----------------------------------------------------------------------------

// Saves the whole screen as PICTURES\name.bmp once setup has had time to paint, and notes
// it when the page's area came out as one flat colour (a page drawn off the screen).
static void Picture(const char *name, HWND page)
{
    char path[MAX_PATH + 64];
    RECT area;
    BOOL oneColour = FALSE;

    Sleep(600);
    snprintf(path, sizeof path, "%s\\%s.bmp", PictureFolder, name);
    BOOL measured = page && GetWindowRect(page, &area);
    BOOL saved = SaveScreenPicture(path, measured ? &area : NULL, &oneColour);
    if (measured && oneColour && !BlankPicture[0])
        lstrcpynA(BlankPicture, name, sizeof BlankPicture);
    if (saved)
        PicturesTaken++;
    Say("  picture %s: %s", name, !saved ? "FAILED" : lstrcmpA(BlankPicture, name) == 0 ? "saved, BLANK" : "saved");
}

// ---- acting ------------------------------------------------------------------------------

static void Click(HWND page, int id, const char *role)
{
    Say("  click %s (%d)", role, id);
    ClickControl(page, id);
}

// The position must hold still before the release is posted, or the driver reads an
// older one. dx pixels beside the target's centre, for a touch that slips.
static void Touch(HWND screen, int target, int dx = 0)
{
    POINT at = ControlCentre(screen, target);
    at.x += dx;
    BOOL still = HoldCursorAt(at);
    Say("  touch at (%ld, %ld)%s", at.x, at.y, still ? "" : ", cursor did not hold still there");
    TouchAt(screen, at);
    Sleep(300);
}

// ---- waiting -----------------------------------------------------------------------------

// Reports why a wait ended without its page: setup ended, or it settled on another window
// (a message box, another page), or the time ran out (with what the walk saw instead, when
// it knows better than the page's name). While setup still runs, a picture keeps what the
// screen showed. Always FALSE.
static BOOL Stopped(const char *waitedFor, const char *saw)
{
    HWND window = InputWindowOf(Setup.dwProcessId);
    BOOL running = ProgramRunning(&Setup);
    DWORD code;

    if (!running) {
        GetExitCodeProcess(Setup.hProcess, &code);
        snprintf(StopReason, sizeof StopReason, "%s ended (exit code %lu) while the walk waited for %s", Walked,
                 code, waitedFor);
    } else if (GetTickCount() - WaitBegan < StepSeconds * 1000) {
        snprintf(StopReason, sizeof StopReason, "setup shows %s while the walk waited for %s",
                 DescribeWindow(window).c_str(), waitedFor);
    } else if (saw) {
        snprintf(StopReason, sizeof StopReason, "gave up after %lu s waiting for %s; %s", StepSeconds, waitedFor, saw);
    } else {
        snprintf(StopReason, sizeof StopReason, "gave up after %lu s waiting for %s; setup shows %s", StepSeconds,
                 waitedFor, DescribeWindow(window).c_str());
    }
    Say("stopped: %s", StopReason);
    if (running)
        Picture("stopped", NULL);
    return FALSE;
}

static HWND WaitForPage(int kind)
{
    char waitedFor[64];
    WaitBegan = GetTickCount();
    HWND window = WaitForKind(&Setup, kind, StepSeconds * 1000);

    if (window) {
        Say("%s", KindName(kind));
        return window;
    }
    snprintf(waitedFor, sizeof waitedFor, "the %s", KindName(kind));
    Stopped(waitedFor, NULL);
    return NULL;
}

static BOOL WaitUntil(HWND page, WindowTest holds, int argument)
{
    WaitBegan = GetTickCount();
    return WaitUntil(&Setup, page, holds, argument, StepSeconds * 1000);
}

static BOOL OnlyTargetShown(HWND screen, int index)
{
    for (int i = 0; i < 4; i++)
        if (ControlVisible(screen, CalibrationTargetIds[i]) != (i == index))
            return FALSE;
    return TRUE;
}

static BOOL TestingShown(HWND screen, int)
{
    return OnlyTargetShown(screen, -1) && ControlVisible(screen, IDC_TRY_1) && !ControlVisible(screen, IDC_HOW_1) &&
           ControlEnabled(screen, IDC_OK);
}

// ---- the walk ----------------------------------------------------------------------------

// The position reads the simulated driver has logged so far.
static int DriverReads(void)
{
    char line[128], read[32];
    int count = 0;
    FILE *log = fopen(Simulation.LogPath, "r");
    snprintf(read, sizeof read, "ioctl 0x%06lX ", IOCTL_PANEL_READ_POINT);
    while (log && fgets(line, sizeof line, log))
        count += strncmp(line, read, strlen(read)) == 0;
    if (log)
        fclose(log);
    return count;
}

// What became of a touch that the screen did not take: it drops a release only when the
// driver gives no position for it, so a read in the driver's log tells which it was.
static void SayTouchNotTaken(HWND screen, int target, int readsBefore, const char *waitedFor)
{
    char saw[160];
    if (!ProgramRunning(&Setup) || !IsWindow(screen) || !OnlyTargetShown(screen, target)) {
        Stopped(waitedFor, NULL);
        return;
    }
    snprintf(saw, sizeof saw, "target %d is still shown after its touch: %s", target + 1,
             DriverReads() > readsBefore ? "the driver gave no position for it"
                                         : "setup asked the driver for no position");
    Stopped(waitedFor, saw);
}

// Touches the four targets in turn, each once it is the only one shown.
static BOOL CollectTargets(HWND screen)
{
    static const char *const pictures[4] = {
        "05-calibration-target-1", "06-calibration-target-2", "07-calibration-target-3",
        "08-calibration-target-4"
    };
    char what[64];
    int reads = 0;

    SayText(screen, IDC_DISPLAY_SIZE, "display");
    for (int k = 0; k < 4; k++) {
        snprintf(what, sizeof what, "calibration target %d shown alone", k + 1);
        if (!WaitUntil(screen, OnlyTargetShown, k)) {
            if (k == 0)
                return Stopped(what, NULL);
            SayTouchNotTaken(screen, k - 1, reads, what);
            return FALSE;
        }
        Picture(pictures[k], screen);
        reads = DriverReads();
        Touch(screen, CalibrationTargetIds[k]);
    }
    snprintf(what, sizeof what, "the calibration test instructions and OK enabled");
    if (!WaitUntil(screen, TestingShown, 0)) {
        SayTouchNotTaken(screen, 3, reads, what);
        return FALSE;
    }
    Picture("09-calibration-testing", screen);
    SayText(screen, IDC_TRY_1, "test line");
    return TRUE;
}

// Reads the eight stored corners; FALSE when the settings key is missing.
static BOOL ReadStoredCorners(LONG corners[8])
{
    HKEY key;
    if (OpenKey(SETTINGS_KEY, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    for (int i = 0; i < 8; i++) {
        DWORD size = sizeof corners[i];
        corners[i] = 0;
        RegQueryValueExA(key, PanelSettingFields[i].Name, NULL, NULL, (BYTE *)&corners[i], &size);
    }
    RegCloseKey(key);
    return TRUE;
}

static void SayInstallation(void)
{
    char folder[PATH_BUFFER_SIZE], path[PATH_BUFFER_SIZE + 64];
    HKEY key;

    // Where setup puts them, found as setup finds it.
    StartMenuFolderPath(folder);
    for (const char *program : CompanionProgramFiles) {
        snprintf(path, sizeof path, "%s\\%s", folder, program);
        Say("  %s: %s", path, GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES ? "missing" : "present");
    }
    if (OpenKey(STATIC_DRIVER_KEY, KEY_READ, &key) == ERROR_SUCCESS) {
        char value[64] = "";
        DWORD size = sizeof value - 1;
        RegQueryValueExA(key, STATIC_DRIVER_VALUE, NULL, NULL, (BYTE *)value, &size);
        RegCloseKey(key);
        Say("  static driver entry: %s = \"%s\"", STATIC_DRIVER_VALUE, value);
    } else {
        Say("  static driver entry: missing");
    }
}

// The verdict on the corners setup stored, against where the simulated panel puts the
// screen's corners; NULL when they are right, else a line that says which is wrong.
static const char *JudgeCorners(char *verdict, int size)
{
    LONG corners[8], expected, tolerance;
    char line[256] = "";
    if (!ReadStoredCorners(corners)) {
        snprintf(verdict, size, "no corners stored: the settings key is missing");
        return verdict;
    }
    for (int i = 0; i < 8; i++)
        snprintf(line + strlen(line), sizeof line - strlen(line), " %s=%ld", PanelSettingFields[i].Name, corners[i]);
    Say("  stored corners:%s", line);
    int wrong = FirstWrongCorner(corners, Simulation.Panel, GetSystemMetrics(SM_CXSCREEN),
                                 GetSystemMetrics(SM_CYSCREEN), &expected, &tolerance, Simulation.Noise);
    if (wrong < 0)
        return NULL;
    snprintf(verdict, size, "stored corner %s=%ld, but the panel gives %ld at that edge (at most %ld off)",
             PanelSettingFields[wrong].Name, corners[wrong], expected, tolerance);
    return verdict;
}

static BOOL Walk(void)
{
    HWND page;

    if (!(page = WaitForPage(IDD_WELCOME)))
        return FALSE;
    Picture("01-welcome", page);
    Click(page, IDC_NEXT, "Next");

    if (!(page = WaitForPage(IDD_PORT)))
        return FALSE;
    Picture("02-port", page);
    Click(page, IDC_NEXT, "Next");

    if (!(page = WaitForPage(IDD_RIGHT_BUTTON)))
        return FALSE;
    Click(page, IDC_RIGHT_BUTTON, "the right-button box");
    Picture("03-right-button", page);
    Click(page, IDC_NEXT, "Next");

    if (!(page = WaitForPage(IDD_SUMMARY)))
        return FALSE;
    SayText(page, IDC_PORT_LINE, "port line");
    SayText(page, IDC_BUTTON_LINE, "button line");
    Picture("04-summary", page);
    Click(page, IDC_NEXT, "Next");

    if (!(page = WaitForPage(IDD_CALIBRATION)) || !CollectTargets(page))
        return FALSE;
    Click(page, IDC_OK, "OK");

    if (!(page = WaitForPage(IDD_FINISH)))
        return FALSE;
    if (!WaitUntil(page, ControlEnabled, IDC_REBOOT))
        return Stopped("Reboot on the finish page to be enabled", NULL);
    SayText(page, IDC_PROGRESS, "progress line");
    Picture("10-finish", page);
    SayInstallation();
    return TRUE;
}

// Template 123 is opened by no page: it only documents the stored touch mode. Its
// picture is taken from SETUP.EXE's own resources, shown by a procedure that does nothing.
static INT_PTR CALLBACK ShowOnly(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

static void PictureModeTemplate(const char *medium)
{
    char program[MAX_PATH + 16];
    snprintf(program, sizeof program, "%s\\SETUP.EXE", medium);
    HMODULE resources = LoadLibraryExA(program, NULL, LOAD_LIBRARY_AS_DATAFILE);
    HWND page = resources ? CreateDialogParamA(resources, MAKEINTRESOURCEA(IDD_MODE), NULL, ShowOnly, 0) : NULL;
    if (!page) {
        Say("template %d could not be shown", IDD_MODE);
    } else {
        RECT r;
        GetWindowRect(page, &r);
        SetWindowPos(page, HWND_TOP, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_SHOWWINDOW);
        MSG message;
        DWORD until = GetTickCount() + 300;
        while ((LONG)(until - GetTickCount()) > 0) {
            while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            Sleep(20);
        }
        Picture("11-mode-template", page);
        DestroyWindow(page);
    }
    if (resources)
        FreeLibrary(resources);
}

// ---- ALIGNER after setup -------------------------------------------------------------------

// The installed ALIGNER.EXE, as a user starts it from the Start menu: target 3 first touched
// 40 pixels right of its centre, which the screen must refuse, then the centre target and the
// alignment error on the testing step, and OK.
static BOOL WalkAligner(void)
{
    char folder[PATH_BUFFER_SIZE];
    HWND screen;
    int reads = 0;

    StartMenuFolderPath(folder);
    Walked = CompanionProgramFiles[ALIGNER_PROGRAM];
    if (!StartProgram(folder) || !(screen = WaitForPage(IDD_CALIBRATION)))
        return FALSE;
    for (int k = 0; k < 4; k++) {
        if (!WaitUntil(screen, OnlyTargetShown, k)) {
            if (k == 0)
                return Stopped("ALIGNER's first target", NULL);
            SayTouchNotTaken(screen, k - 1, reads, "ALIGNER's next target");
            return FALSE;
        }
        if (k == 2) {
            Touch(screen, CalibrationTargetIds[k], 40);
            if (!WaitUntil(screen, ControlVisible, IDC_ALIGN_NOTE))
                return Stopped("ALIGNER to refuse a touch 40 pixels right of target 3", NULL);
            Picture("12-aligner-refused", screen);
            SayText(screen, IDC_ALIGN_NOTE, "note");
        }
        reads = DriverReads();
        Touch(screen, CalibrationTargetIds[k]);
    }
    if (!WaitUntil(screen, ControlVisible, IDC_TARGET_CENTRE)) {
        SayTouchNotTaken(screen, 3, reads, "ALIGNER's centre target");
        return FALSE;
    }
    Picture("13-aligner-centre-target", screen);
    Touch(screen, IDC_TARGET_CENTRE);
    if (!WaitUntil(screen, TestingShown, 0) || !ControlVisible(screen, IDC_ALIGN_NOTE))
        return Stopped("ALIGNER's testing step with the alignment error", NULL);
    Picture("14-aligner-testing", screen);
    SayText(screen, IDC_ALIGN_NOTE, "note");
    JudgeText(screen, IDC_ALIGN_NOTE, "14-aligner-testing", "Alignment error: ", " pixels (good within ");
    Click(screen, IDC_OK, "OK");
    WaitBegan = GetTickCount();
    if (WaitForSingleObject(Setup.hProcess, StepSeconds * 1000) != WAIT_OBJECT_0)
        return Stopped("ALIGNER to end after OK", NULL);
    Say("%s ended", Walked);
    return TRUE;
}

// ---- PADMON's check of the alignment after ALIGNER --------------------------------------------

static BOOL CheckAsksFor(HWND screen, int target)
{
    char asked[32];
    snprintf(asked, sizeof asked, "Target %d of 9", target + 1);
    return ControlText(screen, IDC_CHECK_PROGRESS) == asked;
}

// The installed PADMON.EXE's Check Alignment, each of its nine targets touched on its centre,
// the picture of where the touches landed, and Close on both windows. FALSE when the walk
// stopped (StopReason says why). The verdict line must start with `starts` and hold `holds`.
static BOOL WalkCheck(const char *picture, const char *starts, const char *holds)
{
    char folder[PATH_BUFFER_SIZE], what[64];
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HWND monitor, screen;

    StartMenuFolderPath(folder);
    Walked = CompanionProgramFiles[PADMON_PROGRAM];
    if (!StartProgram(folder) || !(monitor = WaitForPage(IDD_PADMON)))
        return FALSE;
    Click(monitor, IDC_PADMON_CHECK, "Check Alignment");
    if (!(screen = WaitForPage(IDD_CHECK)))
        return FALSE;
    for (int t = 0; t < 9; t++) {
        snprintf(what, sizeof what, "check target %d of 9", t + 1);
        if (!WaitUntil(screen, CheckAsksFor, t))
            return Stopped(what, NULL);
        POINT at = CheckTargetCentre(t, width, height);
        BOOL still = HoldCursorAt(at);
        Say("  touch at (%ld, %ld)%s", at.x, at.y, still ? "" : ", cursor did not hold still there");
        TouchAt(screen, at);
        Sleep(300);
    }
    if (!WaitUntil(screen, ControlVisible, IDC_CHECK_VERDICT))
        return Stopped("the check's verdict", NULL);
    Picture(picture, screen);
    SayText(screen, IDC_CHECK_ERRORS, "errors");
    SayText(screen, IDC_CHECK_SCALE, "key");
    SayText(screen, IDC_CHECK_VERDICT, "verdict");
    JudgeText(screen, IDC_CHECK_VERDICT, picture, starts, holds);
    Click(screen, IDCANCEL, "Close");
    if (!(monitor = WaitForPage(IDD_PADMON)))
        return FALSE;
    Click(monitor, IDCANCEL, "Close");
    if (WaitForSingleObject(Setup.hProcess, StepSeconds * 1000) != WAIT_OBJECT_0)
        return Stopped("PADMON to end after Close", NULL);
    Say("%s ended", Walked);
    return TRUE;
}

// PADMON's check over the panel moved by `moved` hundredths of its span on both ends of each
// axis (the stored corners stay): -3 and 3 for a panel drifted by 3 % of its width, -3 and 3
// on both axes for one whose span grew by 6 %.
static BOOL WalkChangedCheck(const char *picture, const int moved[4], const char *why, const char *holds)
{
    char panel[96];
    LONG spanX = Simulation.Panel[1] - Simulation.Panel[0], spanY = Simulation.Panel[3] - Simulation.Panel[2];

    snprintf(panel, sizeof panel, "%ld,%ld,%ld,%ld", Simulation.Panel[0] + spanX * moved[0] / 100,
             Simulation.Panel[1] + spanX * moved[1] / 100, Simulation.Panel[2] + spanY * moved[2] / 100,
             Simulation.Panel[3] + spanY * moved[3] / 100);
    Say("QUARLO_SIM_PANEL=%s for PADMON: %s", panel, why);
    SetEnvironmentVariableA("QUARLO_SIM_PANEL", panel);
    BOOL walked = WalkCheck(picture, "Alignment off by ", holds);
    // The walk's own judgement of the corners is by the panel setup met.
    SetEnvironmentVariableA("QUARLO_SIM_PANEL", NULL);
    return walked;
}

// The check right after ALIGNER must find the alignment good; over a drifted panel every touch
// lands left of its target; over a grown one farther from the centre. A span grown by 5 %
// would put the outer targets' touches exactly 2 % of the width out, where the check still
// calls the alignment good: 6 % puts them clearly beyond.
static BOOL WalkChecks(void)
{
    static const int drifted[4] = { -3, -3, 0, 0 }, grown[4] = { -3, 3, -3, 3 };

    return WalkCheck("15-padmon-check", "Alignment good.", NULL) &&
           WalkChangedCheck("16-padmon-check-drifted", drifted, "the panel drifted by 3 % of its width",
                            " pixels to the left of its target. Run ALIGNER to align the panel again.") &&
           WalkChangedCheck("17-padmon-check-grown", grown, "the panel's span grew by 6 % on each axis",
                            ": the touches land farther from the centre than their targets. Run ALIGNER");
}

// The values the walk runs with, so that the log shows what setup met.
static void SayValuesInEffect(void)
{
    char value[64];
    const char *const defaulted = " (default)";
    Say("desktop %d x %d, at most %lu s per step", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
        StepSeconds);
    if (Simulation.CardPresent)
        snprintf(value, sizeof value, "%lu,%lu,%lu", Simulation.Card[0], Simulation.Card[1], Simulation.Card[2]);
    Say("QUARLO_SIM_CARD=%s%s", Simulation.CardPresent ? value : "none",
        GetEnvironmentVariableA("QUARLO_SIM_CARD", NULL, 0) ? "" : defaulted);
    Say("QUARLO_SIM_PANEL=%ld,%ld,%ld,%ld%s", Simulation.Panel[0], Simulation.Panel[1], Simulation.Panel[2],
        Simulation.Panel[3], GetEnvironmentVariableA("QUARLO_SIM_PANEL", NULL, 0) ? "" : defaulted);
    snprintf(value, sizeof value, "%s%s%s", Simulation.FailOpen ? ",open" : "", Simulation.FailProbe ? ",probe" : "",
             Simulation.FailRead ? ",read" : "");
    Say("QUARLO_SIM_FAIL=%s", value[0] ? value + 1 : " (no faults)");
    Say("QUARLO_SIM_NOISE=%ld%s", Simulation.Noise, GetEnvironmentVariableA("QUARLO_SIM_NOISE", NULL, 0) ? "" : defaulted);
    Say("QUARLO_SIM_LOG=%s", Simulation.LogPath);
}

int main(int argc, char **argv)
{
    if (argc < 2 || argc > 4) {
        fprintf(stderr, "usage: walkthrough MEDIUM [PICTURES [SECONDS]]\n");
        return 2;
    }
    const char *medium = argv[1];
    if (argc >= 3) {
        char logPath[MAX_PATH + 16];
        lstrcpynA(PictureFolder, argv[2], sizeof PictureFolder);
        CreateDirectoryA(PictureFolder, NULL);
        snprintf(logPath, sizeof logPath, "%s\\walk.log", PictureFolder);
        Log = fopen(logPath, "w");
        // The walk reads the driver's log to tell a dropped touch from an unread one.
        snprintf(logPath, sizeof logPath, "%s\\driver.log", PictureFolder);
        if (!GetEnvironmentVariableA("QUARLO_SIM_LOG", NULL, 0))
            SetEnvironmentVariableA("QUARLO_SIM_LOG", logPath);
    }
    if (argc == 4 && atoi(argv[3]) > 0)
        StepSeconds = atoi(argv[3]);

    const char *malformed;
    if (!ReadSimulationSettings(&Simulation, &malformed)) {
        char value[128] = "";
        GetEnvironmentVariableA(malformed, value, sizeof value);
        Say("walk not started: %s=%s is malformed; the driver would refuse to load", malformed, value);
        return 2;
    }
    if (Log)
        SayValuesInEffect();
    SetMachinesSerialPorts();
    if (!StartProgram(medium))
        return 2;
    if (argc == 2) {
        // The user walks; wait for setup to end however it ends.
        DWORD code = 0;
        WaitForSingleObject(Setup.hProcess, INFINITE);
        GetExitCodeProcess(Setup.hProcess, &code);
        return (int)code;
    }

    char verdict[256];
    const char *wrong = NULL;
    BOOL reached = Walk();
    if (reached)
        wrong = JudgeCorners(verdict, sizeof verdict);
    // Pressing Reboot would make Wine end every process of the prefix; the walk has seen
    // what it came for, so setup ends here instead.
    if (ProgramRunning(&Setup)) {
        TerminateProcess(Setup.hProcess, 0);
        WaitForSingleObject(Setup.hProcess, 5000);
        Say("ended SETUP.EXE without pressing Reboot");
    }
    PictureModeTemplate(medium);
    if (reached && !wrong) {
        reached = WalkAligner();
        if (reached)
            wrong = JudgeCorners(verdict, sizeof verdict);
        if (ProgramRunning(&Setup)) {
            TerminateProcess(Setup.hProcess, 0);
            WaitForSingleObject(Setup.hProcess, 5000);
            Say("ended %s", Walked);
        }
    }
    if (reached && !wrong) {
        reached = WalkChecks();
        if (ProgramRunning(&Setup)) {
            TerminateProcess(Setup.hProcess, 0);
            WaitForSingleObject(Setup.hProcess, 5000);
            Say("ended %s", Walked);
        }
    }
    if (!wrong && WrongVerdict[0])
        wrong = WrongVerdict;
    if (!wrong && BlankPicture[0]) {
        snprintf(verdict, sizeof verdict, "picture %s is blank: the page's area is one colour", BlankPicture);
        wrong = verdict;
    }
    if (!reached)
        Say("walk incomplete: %s; %d pictures", StopReason[0] ? StopReason : "the walk stopped", PicturesTaken);
    else if (wrong)
        Say("walk wrong: %s; %d pictures", wrong, PicturesTaken);
    else
        Say("walk complete: %d pictures; the stored corners lie within %ld (X) and %ld (Y) raw units "
            "of the panel's edges", PicturesTaken,
            CornerTolerance(Simulation.Panel[1] - Simulation.Panel[0], GetSystemMetrics(SM_CXSCREEN), Simulation.Noise),
            CornerTolerance(Simulation.Panel[3] - Simulation.Panel[2], GetSystemMetrics(SM_CYSCREEN), Simulation.Noise));
    if (Log)
        fclose(Log);
    return reached && !wrong ? 0 : 1;
}
