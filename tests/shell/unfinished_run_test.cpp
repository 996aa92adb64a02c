// Every way a run of setup ends without the finish page, over a machine with a completed
// earlier installation (which must come out as it went in) and over one without (where a
// cancel on the summary removes what the run stored, and any other end keeps it). The
// suite's Windows 95 and 98 runs hold it where RegDeleteKey takes whole trees.
#include "dialog_driver.h"
#include "test_machine.h"
#include "resource.h"
#include "earlier.h"

namespace {

// COM 3 on line 7, aligned corners, mode 2, right button on: nothing a run would store, as
// the installed record (COM 2) would be.
const std::vector<DWORD> EarlierRecord = { 14, 22, 1001, 19, 1003, 1008, 11, 1012, 3, 888, 7, 2, 1 };

// On the summary page the run has put its own driver and settings (COM 2) in place, so an
// earlier installation that comes out unchanged was really put back.
Scenario &ToSummary(Scenario &s)
{
    return s.WalkToPage(IDD_SUMMARY, { IDC_COM2 }).OnPage(IDD_SUMMARY, [](HWND) {
        EXPECT_EQ("medium copy of QUARLO.VXD", ReadFileText(SystemDirectoryPath(DRIVER_FILE_NAME)));
        EXPECT_EQ(2u, StoredSetting("ComPort"));
    });
}

// An earlier installation whole, disabled (no static-driver entry), half removed (settings
// gone, or some of their values), or only a driver file that an older run left.
enum Layout { WHOLE, NO_ENTRY, NO_SETTINGS, SOME_VALUES, DRIVER_ONLY };

struct Route {
    const char *name;
    const char *card, *fail;     // QUARLO_SIM_CARD and QUARLO_SIM_FAIL
    void (*walk)(Scenario &s);
    bool removesThisRun;         // without an earlier installation: the Cancel that removes
    Layout earlier;              // of the earlier installation this route meets
};

const Route Routes[] = {
    { "CancelOnPortPageAfterBackFromSummary", "2,760,3", "", [](Scenario &s) {
        ToSummary(s).Click(IDC_BACK).OnPage(IDD_RIGHT_BUTTON).Click(IDC_BACK).OnPage(IDD_PORT).Click(IDC_CANCEL);
    }, false, NO_SETTINGS },
    { "CancelOnRightButtonPageAfterBackFromSummary", "2,760,3", "", [](Scenario &s) {
        ToSummary(s).Click(IDC_BACK).OnPage(IDD_RIGHT_BUTTON).Click(IDC_CANCEL);
    }, false, WHOLE },
    { "CancelOnSummaryPage", "2,760,3", "", [](Scenario &s) {
        ToSummary(s).Click(IDC_CANCEL);
    }, true, NO_ENTRY },
    { "CancelOnRightButtonPageAfterCardNotFound", "none", "", [](Scenario &s) {
        ToSummary(s).CardNotFound().OnPage(IDD_RIGHT_BUTTON).Click(IDC_CANCEL);
    }, false, DRIVER_ONLY },
    { "CancelOnSummaryAfterCardNotFound", "none", "", [](Scenario &s) {
        ToSummary(s).CardNotFound().OnPage(IDD_RIGHT_BUTTON).Click(IDC_NEXT).OnPage(IDD_SUMMARY).Click(IDC_CANCEL);
    }, true, SOME_VALUES },
    // The cancelled calibration's corners reach the registry with the next summary's save.
    { "CalibrationCancelledThenSavedAgain", "2,760,3", "", [](Scenario &s) {
        ToSummary(s).Click(IDC_NEXT).OnPage(IDD_CALIBRATION).TouchTargets().Click(IDC_CANCEL).OnPage(IDD_SUMMARY)
            .Click(IDC_BACK).OnPage(IDD_RIGHT_BUTTON).Click(IDC_NEXT).OnPage(IDD_SUMMARY).Click(IDC_BACK)
            .OnPage(IDD_RIGHT_BUTTON).Click(IDC_CANCEL);
    }, false, NO_ENTRY },
    { "BackAndNextRepeatedThenCancelOnWelcome", "2,760,3", "", [](Scenario &s) {
        for (int round = 0; round < 2; round++)
            ToSummary(s).Click(IDC_BACK).OnPage(IDD_RIGHT_BUTTON).Click(IDC_BACK)
                .OnPage(IDD_PORT).Click(IDC_BACK);
        s.OnPage(IDD_WELCOME).Click(IDC_CANCEL);
    }, false, WHOLE },
    { "DriverThatDoesNotLoad", "2,760,3", "open", [](Scenario &s) {
        s.WalkToPage(IDD_RIGHT_BUTTON, { IDC_COM2 }).Click(IDC_NEXT)
            .AnswerMessageBox("Cannot Load QUARLO.VXD", "Load VXD Message", IDI_EXCLAMATION);
    }, false, NO_SETTINGS },
};

void PrintTo(const Route &route, std::ostream *out)
{
    *out << route.name;
}

class UnfinishedRun : public SetupMachineTest, public testing::WithParamInterface<Route> {
protected:
    void RunRoute()
    {
        SetSimulation("QUARLO_SIM_CARD", GetParam().card);
        SetSimulation("QUARLO_SIM_FAIL", GetParam().fail);
        Scenario s;
        GetParam().walk(s);
        s.Run([] { RunSetupProgram(); });
        EXPECT_EQ(0, RestartRequests) << "the finish page was reached";
        EXPECT_FALSE(EarlierInstallationAside()) << "the aside copy was left behind";
        EXPECT_FALSE(FileExists(SystemDirectoryPath(EARLIER_DRIVER_FILE_NAME)));
    }
};

TEST_P(UnfinishedRun, LeavesAnEarlierInstallationAsItFoundIt)
{
    Layout layout = GetParam().earlier;
    std::vector<DWORD> record = EarlierRecord;
    if (layout == SOME_VALUES)
        record[0] = record[11] = MISSING_VALUE;
    LayOutEarlierInstallation(record);
    WriteUninstallEntryFor("C:\\VELMORA\\REMOVER.EXE");
    if (layout == NO_ENTRY || layout == DRIVER_ONLY)
        DeleteKeyTree(STATIC_DRIVER_KEY);
    if (layout == NO_SETTINGS || layout == DRIVER_ONLY)
        DeleteKeyTree(SETTINGS_PARENT_KEY);
    std::string before = InstallationState();
    RunRoute();

    EXPECT_EQ(before, InstallationState());
}

TEST_P(UnfinishedRun, WithoutAnEarlierInstallationRemovesOnlyOnSummaryCancel)
{
    RunRoute();

    EXPECT_FALSE(KeyExists(STATIC_DRIVER_KEY));
    if (GetParam().removesThisRun) {
        EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
        EXPECT_FALSE(FileExists(SystemDirectoryPath(DRIVER_FILE_NAME)));
    } else {
        EXPECT_EQ(2u, StoredSetting("ComPort"));
        EXPECT_EQ("medium copy of QUARLO.VXD", ReadFileText(SystemDirectoryPath(DRIVER_FILE_NAME)));
    }
}

INSTANTIATE_TEST_SUITE_P(Routes, UnfinishedRun, testing::ValuesIn(Routes),
                         [](const testing::TestParamInfo<Route> &info) { return std::string(info.param.name); });

} // namespace
