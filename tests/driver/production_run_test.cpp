// SETUP.EXE of the production build as the user runs it, in a process of its own: under
// Wine the real driver cannot load, so the walk to the summary page must end in the load
// message and a clean exit. The pages are driven from outside, by their windows.
#include "dialog_driver.h"
#include "test_machine.h"
#include "resource.h"
#include "settings.h"

#include <functional>

namespace {

const char PageCaption[] = "Velmora Setup Utility";
const DWORD WaitMs = 15000;

// The build names the program by its host path; Wine shows the host's root as drive Z.
std::string WindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// WM_GETTEXT goes to the window's own thread, which reads controls of another process.
std::string WindowText(HWND window)
{
    char text[256] = "";
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 2000, &copied);
    return text;
}

struct Search {
    DWORD process;
    std::function<bool(HWND)> wanted;
    HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter)
{
    Search *search = (Search *)parameter;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window) && IsWindowEnabled(window) &&
        search->wanted(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The process's enabled top-level window that is wanted, once it appears; NULL after the wait.
HWND WaitForWindow(DWORD process, std::function<bool(HWND)> wanted)
{
    DWORD start = GetTickCount();
    do {
        Search search = { process, wanted, NULL };
        EnumWindows(Visit, (LPARAM)&search);
        if (search.found)
            return search.found;
        Sleep(50);
    } while (GetTickCount() - start < WaitMs);
    return NULL;
}

HWND WaitForPage(DWORD process, int templateId)
{
    return WaitForWindow(process, [templateId](HWND window) {
        return WindowText(window) == PageCaption && PageTemplateOf(window) == templateId;
    });
}

class ProductionRun : public SetupMachineTest {
protected:
    void TearDown() override
    {
        if (process_.hProcess) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
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
    std::string program = WindowsPath(PRODUCTION_SETUP_PROGRAM);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program + "\"";
    ASSERT_TRUE(CreateProcessA(program.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL,
                               medium_.c_str(), &startup, &process_))
        << program << ": error " << GetLastError();
    DWORD id = process_.dwProcessId;

    const struct { int page; int button; } walk[] = {
        { IDD_WELCOME, IDC_NEXT }, { IDD_PORT, IDC_NEXT }, { IDD_RIGHT_BUTTON, IDC_NEXT },
    };
    for (const auto &step : walk) {
        HWND page = WaitForPage(id, step.page);
        ASSERT_TRUE(page != NULL) << "page " << step.page << " did not appear";
        PostMessageA(GetDlgItem(page, step.button), BM_CLICK, 0, 0);
    }

    HWND box = WaitForWindow(id, [](HWND window) {
        return WindowText(window) == "Load VXD Message";
    });
    ASSERT_TRUE(box != NULL) << "no load message";
    EXPECT_EQ("Cannot Load QUARLO.VXD", WindowText(GetDlgItem(box, 0xFFFF)));
    // The summary page composed its lines before the open, and stays unseen behind the box.
    HWND summary = GetWindow(box, GW_OWNER);
    EXPECT_EQ(IDD_SUMMARY, PageTemplateOf(summary));
    EXPECT_FALSE(IsWindowVisible(summary));
    EXPECT_EQ("COM Port Setting : COM 1, IRQ 4", WindowText(GetDlgItem(summary, IDC_PORT_LINE)));
    EXPECT_EQ("Right Button Setting : OFF", WindowText(GetDlgItem(summary, IDC_BUTTON_LINE)));
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);

    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process_.hProcess, WaitMs)) << "the pages did not unwind";
    DWORD exitCode = 1234;
    GetExitCodeProcess(process_.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ("medium copy of QUARLO.VXD", ReadFileText(SystemDirectoryPath(DRIVER_FILE_NAME)));
    EXPECT_EQ(1u, StoredSetting("ComPort")) << "the settings were not saved, or were removed";
}

} // namespace
