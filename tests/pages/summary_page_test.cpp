// The summary page against the simulated driver: what it shows, the copy, save and open
// each time it opens, the card probe, and what Back, Cancel and the failures leave behind.
#include "dialog_driver.h"
#include "test_machine.h"
#include "driver.h"
#include "paths.h"
#include "resource.h"
#include "installation.h"
#include "journal.h"
#include "setup.h"
#include "texts.h"

namespace {

class SummaryPageTest : public SetupMachineTest {};

// Opens the summary page on its own, over settings as the port page would have loaded them.
void OpenSummaryAlone(void)
{
    LoadPanelSettings();
    OpenPage(IDD_SUMMARY, NULL, SummaryPage);
}

// The driver opened so many times, each open closed before the next one and the last one
// closed too, and the card probed so many times.
void ExpectDriverUse(int opens, int probes)
{
    std::vector<std::string> handles, paired;
    for (const std::string &line : ReadSimulationLog())
        if (line == "open" || line == "close")
            handles.push_back(line);
    for (int i = 0; i < opens; i++)
        paired.insert(paired.end(), { "open", "close" });
    EXPECT_EQ(paired, handles) << "a handle opened over another, closed twice or left open";
    EXPECT_EQ(probes, CountLogLines("ioctl 0x220027 0 0")) << "probes of the card";
}

TEST_F(SummaryPageTest, StoredPortNoPageOffersReadsNoneNotAnEarlierText)
{
    WriteDword(SETTINGS_KEY, "ComPort", 9);
    WriteDword(SETTINGS_KEY, "ComIrq", 7);
    WriteDword(SETTINGS_KEY, "RightButton", 2);
    lstrcpyA(MessageText, "DISPLAY:  1248 X 1024");
    Scenario().OnPage(IDD_SUMMARY, [](HWND page) {
        EXPECT_EQ("COM Port Setting : none, IRQ 7", ControlText(page, IDC_PORT_LINE));
        EXPECT_EQ("Right Button Setting : OFF", ControlText(page, IDC_BUTTON_LINE));
        ExpectTextFitsItsControl(page, IDC_PORT_LINE);
    }).Click(IDC_BACK).Run(OpenSummaryAlone);
    EXPECT_EQ(9u, StoredSetting("ComPort")) << "the page changed a value it only shows";
}

// The simulated card sits on COM 2; it answers only when the driver, which reads the
// registry as it loads, found port 2 there, so the page must have saved before opening.
TEST_F(SummaryPageTest, ShowsTheChoicesCopiesOverAnOlderDriverAndSavesThemFirst)
{
    PutDriverFile("older driver");
    SetSimulation("QUARLO_SIM_CARD", "2,760,3");
    Scenario().WalkToPage(IDD_SUMMARY, { IDC_COM2, IDC_RIGHT_BUTTON }).OnPage(IDD_SUMMARY, [](HWND page) {
        EXPECT_EQ("COM Port Setting : COM 2, IRQ 3", ControlText(page, IDC_PORT_LINE));
        EXPECT_EQ("Right Button Setting :  ON", ControlText(page, IDC_BUTTON_LINE));
        ExpectTextFitsItsControl(page, IDC_PORT_LINE);
        ExpectTextFitsItsControl(page, IDC_BUTTON_LINE);
        EXPECT_EQ("medium copy of QUARLO.VXD", ReadFileText(SystemDirectoryPath(DRIVER_FILE_NAME)));
        EXPECT_EQ(760u, StoredSetting("ComBase"));
        EXPECT_EQ(1u, StoredSetting("RightButton"));
    }).Click(IDC_NEXT).OnPage(IDD_CALIBRATION).Click(IDC_CANCEL).OnPage(IDD_SUMMARY).Click(IDC_CANCEL)
        .Run([] { RunSetupProgram(); });
    ExpectDriverUse(1, 1);
}

// The driver cannot load: only the message shows, every page closes, no finish page, the
// save stays (COM 2 is chosen on the way), and the system directory holds the medium's copy
// of the driver when `copied`, and no driver file otherwise.
void ExpectLoadFailureEndsSetup(bool copied)
{
    Scenario().WalkToPage(IDD_RIGHT_BUTTON, { IDC_COM2 }).Click(IDC_NEXT)
        .AnswerMessageBox("Cannot Load QUARLO.VXD", "Load VXD Message", IDI_EXCLAMATION, IDOK, [](HWND box) {
            // Over the summary page, which stays hidden.
            HWND owner = GetWindow(box, GW_OWNER);
            EXPECT_EQ(IDD_SUMMARY, PageTemplateOf(owner));
            EXPECT_FALSE(IsWindowVisible(owner));
        }).RunSetupToAbort();
    EXPECT_EQ(2u, StoredSetting("ComPort")) << "the settings were not saved, or were removed";
    EXPECT_EQ(0, CountLogLines("close"));
    EXPECT_EQ(copied, !!FileExists(SystemDirectoryPath(DRIVER_FILE_NAME))) << "the driver's copy";
    EXPECT_EQ(copied ? "medium copy of QUARLO.VXD" : "", ReadFileText(SystemDirectoryPath(DRIVER_FILE_NAME)));
}

TEST_F(SummaryPageTest, DriverMissingFromMediumAndSystemEndsSetup)
{
    MakeSetupMedium({ DRIVER_FILE_NAME });
    ExpectLoadFailureEndsSetup(false);
}

TEST_F(SummaryPageTest, DriverThatFailsToLoadEndsSetupKeepingTheCopy)
{
    SetSimulation("QUARLO_SIM_FAIL", "open");
    ExpectLoadFailureEndsSetup(true);
}

// A size too large for the buffer means the buffer holds no path, whatever is in it: here
// the real system directory, so that a copy made from it would show.
UINT TooLongForBuffer(char *buffer, UINT size)
{
    GetSystemDirectoryA(buffer, size);
    return size + 40;
}

TEST_F(SummaryPageTest, SystemDirectoryTooLongForThePathGetsNoCopy)
{
    // A directory that fits the buffer but leaves no room for the file name must not be
    // joined either.
    ReportDirectory(SystemDirectoryLookup, "C:\\" + std::string(250, 'd'));
    for (DirectoryLookup lookup : { SystemDirectoryLookup, TooLongForBuffer }) {
        TearDown();
        SetUp();
        SystemDirectoryLookup = lookup;
        ExpectLoadFailureEndsSetup(false);
    }
}

// The user is sent back to correct the settings; each new summary copies, saves and
// opens again, and no handle is ever opened over another.
TEST_F(SummaryPageTest, CardOnAnotherPortSendsTheUserBackToCorrectIt)
{
    SetSimulation("QUARLO_SIM_CARD", "2,760,3");
    Scenario().WalkToPage(IDD_SUMMARY, { IDC_RIGHT_BUTTON }).CardNotFound().OnPage(IDD_RIGHT_BUTTON, [](HWND page) {
        EXPECT_EQ(0, SetupAborted);
        EXPECT_EQ(BST_CHECKED, ControlChecked(page, IDC_RIGHT_BUTTON));
        EXPECT_EQ(1u, PanelSettings.ComPort);
        EXPECT_EQ(1u, PanelSettings.RightButton);
        EXPECT_EQ(INVALID_HANDLE_VALUE, DriverHandle) << "the driver was left open";
        // Undo the copy and the save, to see the next summary page make them again.
        DeleteFileA(SystemDirectoryPath(DRIVER_FILE_NAME).c_str());
        WriteDword(SETTINGS_KEY, "ComPort", 3);
    }).Click(IDC_NEXT).OnPage(IDD_SUMMARY, [](HWND) {
        EXPECT_TRUE(FileExists(SystemDirectoryPath(DRIVER_FILE_NAME)));
        EXPECT_EQ(1u, StoredSetting("ComPort"));
    }).CardNotFound().OnPage(IDD_RIGHT_BUTTON).Click(IDC_CANCEL).Run([] { RunSetupProgram(); });
    ExpectDriverUse(2, 2);
}

// A probe call that fails gives no status to read: the page reads nothing it was not
// given and treats it as a card that did not answer.
TEST_F(SummaryPageTest, ProbeFaultIsACardThatDidNotAnswer)
{
    SetSimulation("QUARLO_SIM_FAIL", "probe");
    Scenario().OnPage(IDD_SUMMARY).CardNotFound().Run(OpenSummaryAlone);
    EXPECT_EQ(0, SetupAborted);
    EXPECT_EQ(INVALID_HANDLE_VALUE, DriverHandle);
    ExpectDriverUse(1, 1);
}

TEST_F(SummaryPageTest, CancelledCalibrationKeepsTheDriverOpenUntilBack)
{
    Scenario().OnPage(IDD_SUMMARY).Click(IDC_NEXT).OnPage(IDD_CALIBRATION).Click(IDC_CANCEL)
        .OnPage(IDD_SUMMARY, [](HWND) {
            EXPECT_NE(INVALID_HANDLE_VALUE, DriverHandle);
            EXPECT_EQ(0, CountLogLines("close")) << "the driver was closed";
        })
        .Click(IDC_NEXT).OnPage(IDD_CALIBRATION).Click(IDC_CANCEL)
        .OnPage(IDD_SUMMARY).Click(IDC_BACK).Run(OpenSummaryAlone);
    EXPECT_EQ(0, SetupAborted);
    // Next after the cancelled calibration probes again, over the one open.
    ExpectDriverUse(1, 2);
    // Back keeps what the page stored.
    EXPECT_TRUE(FileExists(SystemDirectoryPath(DRIVER_FILE_NAME)));
    EXPECT_TRUE(KeyExists(SETTINGS_KEY));
}

// The simulated driver writes its log line as each call happens; logging into the very
// driver file that Cancel deletes shows which came first. Removed first, the close starts
// a new file holding only its own line; closed first, the file is gone at the end.
TEST_F(SummaryPageTest, CancelRemovesWhatSetupStoredThenClosesTheDriver)
{
    const std::string driverFile = SystemDirectoryPath(DRIVER_FILE_NAME);
    SetSimulation("QUARLO_SIM_LOG", driverFile.c_str());
    Scenario().WalkToPage(IDD_SUMMARY, { IDC_COM2 }).Click(IDC_CANCEL).RunSetupToAbort();
    EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
    ASSERT_TRUE(FileExists(driverFile)) << "the driver was closed before the removal";
    EXPECT_EQ("close\r\n", ReadFileText(driverFile)) << "the removal came after the close, or never";
}

// A machine that already boots with the driver keeps booting with it when a later run is
// cancelled: the entry, the driver it names and its settings stay.
TEST_F(SummaryPageTest, CancelLeavesAnEarlierCompletedInstallationBooting)
{
    LayOutEarlierInstallation();
    Scenario().WalkToPage(IDD_SUMMARY).Click(IDC_CANCEL).RunSetupToAbort();
    EXPECT_TRUE(KeyExists(STATIC_DRIVER_KEY));
    EXPECT_TRUE(FileExists(SystemDirectoryPath(DRIVER_FILE_NAME))) << "the entry names a driver that is gone";
    EXPECT_EQ(InstalledRecord, StoredRecord()) << "the installed settings are gone";

    // A folder has the journal's name, so nothing could be put back: setup says so and
    // replaces nothing.
    CreateDirectoryA(WindowsDirectoryPath(JOURNAL_FILE_NAME).c_str(), NULL);
    ResetSetupGlobals();
    Scenario().WalkToPage(IDD_RIGHT_BUTTON, { IDC_COM1 }).Click(IDC_NEXT).AnswerMessageBox("Setup cannot keep a record "
        "of what it changes in the Windows folder, and has changed nothing. Please make sure that the Windows folder "
        "can be written, and run Velmora Setup again.", SETUP_CAPTION, IDI_EXCLAMATION)
        .Run([] { RunSetupProgram(); });
    RemoveDirectoryA(WindowsDirectoryPath(JOURNAL_FILE_NAME).c_str());
    EXPECT_EQ("installed driver", ReadFileText(SystemDirectoryPath(DRIVER_FILE_NAME)));
    EXPECT_EQ(InstalledRecord, StoredRecord());
}

// From a CD or a write-protected diskette the copy would be read-only, as would be one an
// older setup left: the next copy could not replace it. Cancel puts the older one back.
TEST_F(SummaryPageTest, DriverFromAReadOnlyMediumIsCopiedWritableAndCancelPutsTheOlderBack)
{
    const std::string driverFile = SystemDirectoryPath(DRIVER_FILE_NAME);
    SetReadOnly(medium_ + "\\" + DRIVER_FILE_NAME, true);
    PutDriverFile("older driver");
    SetReadOnly(driverFile, true);
    Scenario().WalkToPage(IDD_SUMMARY).OnPage(IDD_SUMMARY, [&driverFile](HWND) {
        EXPECT_EQ("medium copy of QUARLO.VXD", ReadFileText(driverFile));
        EXPECT_FALSE(IsReadOnly(driverFile));
    }).Click(IDC_CANCEL).Run([] { RunSetupProgram(); });
    EXPECT_EQ("older driver", ReadFileText(driverFile));
    EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
}

} // namespace
