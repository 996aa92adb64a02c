// Long back-and-forth on the pages: the driver is never open twice, and the windows and GDI
// objects of the process come back to what they were. GetGuiResources gives 0 under Wine,
// so windows are counted by enumeration and GDI objects in the process's GDI handle table.
#include "dialog_driver.h"
#include "fault_seam.h"
#include "test_machine.h"
#include "resource.h"

#include <cstdio>
#include <winternl.h>

namespace {

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM count)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    *(int *)count += process == GetCurrentProcessId() ? 1 : 0;
    return TRUE;
}

// The desktop's descendants are every top-level window and all the windows inside each.
int ProcessWindows(void)
{
    int count = 0;
    EnumChildWindows(GetDesktopWindow(), CountOwnWindow, (LPARAM)&count);
    return count;
}

// An entry of the handle table the PEB points to (GdiSharedHandleTable, 0x94 in a 32-bit
// PEB), as Wine lays it out: 24 bytes, the object's type in byte 14, 0 for a free entry.
int GdiObjects(void)
{
    const BYTE *peb = (const BYTE *)NtCurrentTeb()->ProcessEnvironmentBlock;
    const BYTE *table = *(const BYTE *const *)(peb + 0x94);
    int count = 0;
    for (int i = 0; table && i < 0x10000; i++)
        count += table[i * 24 + 14] != 0 ? 1 : 0;
    return count;
}

struct Counts {
    int windows;
    int gdi;
};

// Counts taken on the same page after the first round and after the last one.
class Stress : public SetupMachineTest {
protected:
    void Count(int round)
    {
        (round == 1 ? first_ : last_) = Counts{ ProcessWindows(), GdiObjects() };
    }
    // Runs setup through the rounds; the driver is open once at most, and closed at the end.
    // The two counts agree.
    void RunCountingHandles(Scenario &s)
    {
        s.Run([] {
            CountDriverHandles();
            RunSetupProgram();
        });
        EXPECT_EQ(1, MostDriverHandlesHeld());
        EXPECT_EQ(0, DriverHandlesHeld());
        EXPECT_EQ(first_.windows, last_.windows) << "windows of the process";
        EXPECT_EQ(first_.gdi, last_.gdi) << "GDI objects of the process";
        std::printf("windows %d -> %d, GDI objects %d -> %d\n", first_.windows, last_.windows, first_.gdi, last_.gdi);
    }
    Counts first_ = {}, last_ = {};
};

// The counters themselves see a window come and go, and a brush.
TEST_F(Stress, CountersSeeAWindowAndABrush)
{
    // Wine gives a thread with any window an input method window too; this one keeps it.
    HWND first = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    int windows = ProcessWindows();
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    EXPECT_EQ(windows + 1, ProcessWindows());
    DestroyWindow(window);
    EXPECT_EQ(windows, ProcessWindows());
    DestroyWindow(first);

    int objects = GdiObjects();
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(objects + 1, GdiObjects());
    DeleteObject(brush);
    EXPECT_EQ(objects, GdiObjects());
}

TEST_F(Stress, TwoHundredBackAndNextBetweenRightButtonAndSummary)
{
    Scenario s;
    s.WalkToPage(IDD_RIGHT_BUTTON);
    for (int round = 1; round <= 200; round++) {
        s.Click(IDC_NEXT).OnPage(IDD_SUMMARY, [](HWND) { EXPECT_EQ(1, DriverHandlesHeld()); });
        s.Click(IDC_BACK).OnPage(IDD_RIGHT_BUTTON, [this, round](HWND) {
            EXPECT_EQ(0, DriverHandlesHeld());
            Count(round);
        });
    }
    RunCountingHandles(s.Click(IDC_CANCEL));
}

TEST_F(Stress, HundredRetriesOnTheCalibrationScreen)
{
    Scenario s;
    s.WalkToPage(IDD_SUMMARY).Click(IDC_NEXT).OnPage(IDD_CALIBRATION);
    for (int round = 1; round <= 100; round++) {
        s.TouchTargets().Click(IDC_RETRY).When("collecting again", [](HWND page) {
            return PageTemplateOf(page) == IDD_CALIBRATION && ControlVisible(page, IDC_TARGET_LEFT_UP) &&
                   !ControlEnabled(page, IDC_OK);
        }, [this, round](HWND) { Count(round); });
    }
    RunCountingHandles(s.Click(IDC_CANCEL).OnPage(IDD_SUMMARY).Click(IDC_CANCEL));
}

} // namespace
