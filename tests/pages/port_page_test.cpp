// The port and right-button pages as the user sees them: which ports the serial-port map
// lets the port page offer, which buttons are checked after every click, what reaches the
// settings record, and what Back to it and a fresh opening show; the right-button box always
// shows its field, and a click always leaves both at 0 or 1.
#include "dialog_driver.h"
#include "test_machine.h"
#include "resource.h"
#include "settings.h"
#include "setup.h"

#include <set>

namespace {

class PortPageTest : public SetupMachineTest {};
class RightButtonPageTest : public SetupMachineTest {};

typedef std::set<int> Buttons;
const Buttons AllEight = { IDC_COM1, IDC_IRQ4, IDC_COM2, IDC_IRQ3, IDC_COM3, IDC_IRQ7, IDC_COM4, IDC_IRQ5 };

// The whole state at once, so that a failure shows every button that is wrong.
Buttons ButtonsWhere(HWND page, BOOL (*test)(HWND, int))
{
    Buttons found;
    for (int id : AllEight)
        if (test(page, id))
            found.insert(id);
    return found;
}

BOOL IsChecked(HWND page, int id) { return ControlChecked(page, id) == BST_CHECKED; }

void ExpectPort(DWORD port, DWORD base, DWORD irq)
{
    EXPECT_EQ(port, PanelSettings.ComPort);
    EXPECT_EQ(base, PanelSettings.ComBase);
    EXPECT_EQ(irq, PanelSettings.ComIrq);
}

// Checks the port page's state after the steps before it have been handled: the record, the
// choice Back returns to, the buttons checked.
Scenario &Expect(Scenario &s, const char *after, DWORD port, DWORD base, DWORD irq, const Buttons &checked)
{
    return s.OnPage(IDD_PORT, [=](HWND page) {
        SCOPED_TRACE(after);
        ExpectPort(port, base, irq);
        EXPECT_EQ(port, PrevSelection.PrevComPort);
        EXPECT_EQ(irq, PrevSelection.PrevComIrq);
        EXPECT_EQ(checked, ButtonsWhere(page, IsChecked));
    });
}

// The right-button field, and the box showing it (checked for 1 only) when page is its page.
void ExpectRightButton(HWND page, DWORD field)
{
    EXPECT_EQ(field, PanelSettings.RightButton);
    if (PageTemplateOf(page) == IDD_RIGHT_BUTTON)
        EXPECT_EQ(field == 1 ? BST_CHECKED : BST_UNCHECKED, ControlChecked(page, IDC_RIGHT_BUTTON));
}

// Presence is all that counts: data of any type and length up to the 256-byte buffer,
// which every query gets in full, even after a short value.
void MapOfOtherTypes(void)
{
    SetSerialPortMap({});
    WriteValue(SERIAL_MAP_KEY, "COM1", REG_SZ, "1", 2);
    WriteValue(SERIAL_MAP_KEY, "COM3", REG_BINARY, std::string(256, 'x').data(), 256);
}

TEST_F(PortPageTest, SerialPortMapDecidesWhichPortsAreOffered)
{
    const struct {
        const char *what;
        void (*layOut)(void);   // makes the serial-port map
        Buttons visible;
    } cases[] = {
        { "COM1 and COM2", [] { SetSerialPortMap({ "COM1", "COM2" }); }, { IDC_COM1, IDC_IRQ4, IDC_COM2, IDC_IRQ3 } },
        { "COM3 only", [] { SetSerialPortMap({ "COM3" }); }, { IDC_COM3, IDC_IRQ7 } },
        { "COM2 and COM4", [] { SetSerialPortMap({ "COM2", "COM4" }); }, { IDC_COM2, IDC_IRQ3, IDC_COM4, IDC_IRQ5 } },
        { "none of the four", [] { SetSerialPortMap({ "COM5", "COM12" }); }, AllEight },
        { "no map", RemoveSerialPortMap, AllEight },
        { "COM1 and COM3 of other types", MapOfOtherTypes, { IDC_COM1, IDC_IRQ4, IDC_COM3, IDC_IRQ7 } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        c.layOut();
        Scenario().OnPage(IDD_PORT, [&c](HWND page) {
            EXPECT_EQ(c.visible, ButtonsWhere(page, ControlVisible));
            // The stored first-run choice is checked whether or not it is offered, and is
            // what Next goes on with unless the user picks another.
            EXPECT_EQ(Buttons({ IDC_COM1, IDC_IRQ4 }), ButtonsWhere(page, IsChecked));
        }).Click(IDC_NEXT).OnPage(IDD_RIGHT_BUTTON, [](HWND) { ExpectPort(1, 1016, 4); })
            .Click(IDC_BACK).OnPage(IDD_PORT).Click(IDC_BACK).Run([] { OpenPage(IDD_PORT, NULL, PortPage); });
    }
}

// Real clicks: a button that did not take its click would leave its check and field behind.
TEST_F(PortPageTest, PortsSetBaseAndLineWhileLinesChangeOnlyTheLine)
{
    SetSerialPortMap({ "COM1", "COM2", "COM3", "COM4" });
    // Each step: the buttons clicked in turn, then what the page holds and checks.
    Scenario s;
    Expect(s, "opening", 1, 1016, 4, { IDC_COM1, IDC_IRQ4 });
    Expect(s.RealClick(IDC_IRQ7), "IRQ 7", 1, 1016, 7, { IDC_COM1, IDC_IRQ7 });
    Expect(s.RealClick(IDC_COM1), "COM 1 again keeps the line picked by hand", 1, 1016, 7, { IDC_COM1, IDC_IRQ7 });
    Expect(s.RealClick(IDC_COM2), "COM 2", 2, 760, 3, { IDC_COM2, IDC_IRQ3 });
    Expect(s.RealClick(IDC_COM3), "COM 3", 3, 888, 7, { IDC_COM3, IDC_IRQ7 });
    Expect(s.RealClick(IDC_COM4), "COM 4", 4, 632, 5, { IDC_COM4, IDC_IRQ5 });
    Expect(s.RealClick(IDC_IRQ4).RealClick(IDC_IRQ4), "IRQ 4 twice", 4, 632, 4, { IDC_COM4, IDC_IRQ4 });
    // Only a click acts: another notification of a button, and OK or Cancel from the
    // keyboard's point of view, do nothing.
    s.Do("other commands", [](HWND active) {
        PostMessageA(active, WM_COMMAND, MAKEWPARAM(IDC_COM2, BN_DOUBLECLICKED), (LPARAM)GetDlgItem(active, IDC_COM2));
        PostMessageA(active, WM_COMMAND, MAKEWPARAM(IDC_IRQ3, BN_SETFOCUS), (LPARAM)GetDlgItem(active, IDC_IRQ3));
        PostMessageA(active, WM_COMMAND, IDOK, 0);
        PostMessageA(active, WM_COMMAND, IDCANCEL, 0);
    });
    Expect(s, "other commands", 4, 632, 4, { IDC_COM4, IDC_IRQ4 });
    s.RealClick(IDC_BACK).Run([] { OpenPage(IDD_PORT, NULL, PortPage); });
    EXPECT_EQ(0, SetupAborted);
}

// Stored values no button stands for are shown as no check, survive untouched when the
// user picks nothing, and are left behind cleanly when the user does.
TEST_F(PortPageTest, StoredPortAndLineOutsideTheTables)
{
    SetSerialPortMap({ "COM1", "COM2", "COM3", "COM4" });
    StorePort(9, 1234, 6);
    Scenario s;
    Expect(s, "opening", 9, 1234, 6, {}).Click(IDC_NEXT);
    s.OnPage(IDD_RIGHT_BUTTON, [](HWND) { ExpectPort(9, 1234, 6); }).Click(IDC_BACK);
    Expect(s, "back from the next page", 9, 1234, 6, {}).Click(IDC_IRQ3);
    Expect(s, "IRQ 3", 9, 1234, 3, { IDC_IRQ3 }).Click(IDC_COM1);
    Expect(s, "COM 1", 1, 1016, 4, { IDC_COM1, IDC_IRQ4 }).Click(IDC_BACK);
    s.Run([] { OpenPage(IDD_PORT, NULL, PortPage); });
}

// Back uncovers each page as it was left, though the registry still holds the first-run
// choices; only a fresh opening from the welcome page reads the stored settings and the
// serial-port map again.
TEST_F(PortPageTest, BackKeepsTheChoicesAndOnlyAFreshOpeningReadsRegistryAndMapAgain)
{
    auto rightButtonOn = [](HWND page) { ExpectRightButton(page, 1); };
    Scenario s;
    s.WalkToPage(IDD_PORT).Click(IDC_COM2).Click(IDC_IRQ4).Click(IDC_NEXT)
        .OnPage(IDD_RIGHT_BUTTON).Click(IDC_RIGHT_BUTTON).Click(IDC_BACK);
    Expect(s, "back from the next page", 2, 760, 4, { IDC_COM2, IDC_IRQ4 });
    s.Click(IDC_NEXT).OnPage(IDD_RIGHT_BUTTON, rightButtonOn).Click(IDC_NEXT)
        .OnPage(IDD_SUMMARY, rightButtonOn).Click(IDC_BACK)
        .OnPage(IDD_RIGHT_BUTTON, rightButtonOn).Click(IDC_BACK)
        .OnPage(IDD_PORT).Click(IDC_BACK).OnPage(IDD_WELCOME, [](HWND) {
            SetSerialPortMap({ "COM4" });
            StorePort(4, 632, 5);
        }).Click(IDC_NEXT);
    Expect(s, "opened again", 4, 632, 5, { IDC_COM4, IDC_IRQ5 }).OnPage(IDD_PORT, [](HWND page) {
        EXPECT_EQ(Buttons({ IDC_COM4, IDC_IRQ5 }), ButtonsWhere(page, ControlVisible));
    }).Click(IDC_CANCEL).RunSetupToAbort();
}

// The box shows any stored value but 1 as off, and the first click turns it on whatever
// the field held.
TEST_F(RightButtonPageTest, BoxMirrorsTheFieldAndAClickSetsBoth)
{
    for (DWORD stored : { 0u, 1u, 2u, 0xFFFFFFFFu }) {
        SCOPED_TRACE(stored);
        PanelSettings.RightButton = stored;
        DWORD on = stored == 1 ? 1 : 0;
        // As opened, after one click and after two; then Back.
        const DWORD fields[] = { stored, 1 - on, on };
        Scenario s;
        for (int clicks = 0; clicks < 3; clicks++) {
            s.OnPage(IDD_RIGHT_BUTTON, [&fields, clicks](HWND page) { ExpectRightButton(page, fields[clicks]); });
            s.Click(clicks < 2 ? IDC_RIGHT_BUTTON : IDC_BACK);
        }
        s.Run([] { OpenPage(IDD_RIGHT_BUTTON, NULL, RightButtonPage); });
    }
}

} // namespace
