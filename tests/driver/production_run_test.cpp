// SETUP.EXE of the production build as the user runs it, in a process of its own: under
// Wine the real driver cannot load, so the walk to the summary page must end in the load
// message and a clean exit. The pages are driven from outside, by their windows.
#include "dialog_driver.h"
#include "test_machine.h"
#include "resource.h"
#include "settings.h"
#include "waiting.h"

namespace {

class ProductionRun : public SetupMachineTest {
protected:
    void TearDown() override
    {
        if (process_.hProcess) {
            if (ProgramRunning(&process_))
                TerminateProcess(process_.hProcess, 99);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        SetupMachineTest::TearDown();
    }
    PROCESS_INFORMATION process_ = {};
};

// The medium is the test's own, so the copy has a driver file to put into the system
// directory: the load fails all the same, since nothing on this machine can load a VxD.
TEST_F(ProductionRun, DriverThatCannotLoadEndsTheRunWithItsMessage)
{
    ASSERT_TRUE(StartProgramIn(PRODUCTION_SETUP_PROGRAM, medium_.c_str(), &process_))
        << PRODUCTION_SETUP_PROGRAM << ": error " << GetLastError();

    for (int page : { IDD_WELCOME, IDD_PORT, IDD_RIGHT_BUTTON }) {
        HWND window = WaitForKind(&process_, page, WAIT_BACKSTOP_MS);
        ASSERT_TRUE(window != NULL) << "no " << KindName(page) << "; setup shows "
                                    << DescribeWindow(InputWindowOf(process_.dwProcessId));
        EXPECT_EQ("Velmora Setup Utility", WindowText(window));
        ClickControl(window, IDC_NEXT);
    }

    HWND box = WaitForKind(&process_, MESSAGE_BOX, WAIT_BACKSTOP_MS);
    ASSERT_TRUE(box != NULL) << "no load message";
    EXPECT_EQ("Load VXD Message", WindowText(box));
    EXPECT_EQ("Cannot Load QUARLO.VXD", ControlText(box, MESSAGE_BOX_TEXT));
    // The summary page composed its lines before the open, and stays unseen behind the box.
    HWND summary = GetWindow(box, GW_OWNER);
    EXPECT_EQ(IDD_SUMMARY, PageTemplateOf(summary));
    EXPECT_FALSE(IsWindowVisible(summary));
    EXPECT_EQ("COM Port Setting : COM 1, IRQ 4", ControlText(summary, IDC_PORT_LINE));
    EXPECT_EQ("Right Button Setting : OFF", ControlText(summary, IDC_BUTTON_LINE));
    ClickControl(box, IDOK);

    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process_.hProcess, WAIT_BACKSTOP_MS)) << "the pages did not unwind";
    DWORD exitCode = 1234;
    GetExitCodeProcess(process_.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ("medium copy of QUARLO.VXD", ReadFileText(SystemDirectoryPath(DRIVER_FILE_NAME)));
    EXPECT_EQ(1u, StoredSetting("ComPort")) << "the settings were not saved, or were removed";
}

} // namespace
