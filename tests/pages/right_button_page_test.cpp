// The right-button page: the box always shows the field, a click always leaves both at
// 0 or 1, and moving back and forth through the pages keeps the choice.
#include "dialog_driver.h"
#include "test_machine.h"
#include "resource.h"
#include "settings.h"
#include "setup.h"

namespace {

class RightButtonPageTest : public SetupMachineTest {};

void ExpectRightButton(Scenario &s, int page, DWORD field, int box)
{
    s.OnPage(page, [=](HWND active) {
        EXPECT_EQ(field, PanelSettings.RightButton);
        if (page == IDD_RIGHT_BUTTON)
            EXPECT_EQ(box, ControlChecked(active, IDC_RIGHT_BUTTON));
    });
}

// Any stored value but 1 means off; the first click turns it on whatever it was.
TEST_F(RightButtonPageTest, BoxMirrorsTheFieldAndAClickSetsBoth)
{
    for (DWORD stored : { 0u, 1u, 2u, 0xFFFFFFFFu }) {
        SCOPED_TRACE(stored);
        PanelSettings.RightButton = stored;
        DWORD on = stored == 1 ? 1 : 0;
        Scenario s;
        ExpectRightButton(s, IDD_RIGHT_BUTTON, stored, on ? BST_CHECKED : BST_UNCHECKED);
        s.Click(IDC_RIGHT_BUTTON);
        ExpectRightButton(s, IDD_RIGHT_BUTTON, 1 - on, on ? BST_UNCHECKED : BST_CHECKED);
        s.Click(IDC_RIGHT_BUTTON);
        ExpectRightButton(s, IDD_RIGHT_BUTTON, on, on ? BST_CHECKED : BST_UNCHECKED);
        s.Click(IDC_BACK);
        s.Run([] { OpenPage(IDD_RIGHT_BUTTON, NULL, RightButtonPage); });
    }
}

TEST_F(RightButtonPageTest, BackAndNextKeepTheChoice)
{
    Scenario s;
    s.OnPage(IDD_PORT).Click(IDC_NEXT).OnPage(IDD_RIGHT_BUTTON).Click(IDC_RIGHT_BUTTON)
        .Click(IDC_BACK).OnPage(IDD_PORT).Click(IDC_NEXT);
    ExpectRightButton(s, IDD_RIGHT_BUTTON, 1, BST_CHECKED);
    s.Click(IDC_NEXT);
    ExpectRightButton(s, IDD_SUMMARY, 1, 0);
    s.Click(IDC_BACK);
    ExpectRightButton(s, IDD_RIGHT_BUTTON, 1, BST_CHECKED);
    s.Click(IDC_CANCEL);
    s.Run([] { OpenPage(IDD_PORT, NULL, PortPage); });
    EXPECT_EQ(1, SetupAborted);
}

} // namespace
