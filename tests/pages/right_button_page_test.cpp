// The right-button page: the box always shows the field, and a click always leaves both
// at 0 or 1. (Back and Next keeping the choice: port_page_test.cpp.)
#include "dialog_driver.h"
#include "test_machine.h"
#include "resource.h"
#include "settings.h"
#include "setup.h"

namespace {

class RightButtonPageTest : public SetupMachineTest {};

// The box shows any stored value but 1 as off, and the first click turns it on whatever
// the field held.
TEST_F(RightButtonPageTest, BoxMirrorsTheFieldAndAClickSetsBoth)
{
    for (DWORD stored : { 0u, 1u, 2u, 0xFFFFFFFFu }) {
        SCOPED_TRACE(stored);
        PanelSettings.RightButton = stored;
        DWORD on = stored == 1 ? 1 : 0;
        Scenario s;
        auto expect = [&s](DWORD field) {
            s.OnPage(IDD_RIGHT_BUTTON, [field](HWND page) {
                EXPECT_EQ(field, PanelSettings.RightButton);
                EXPECT_EQ(field == 1 ? BST_CHECKED : BST_UNCHECKED, ControlChecked(page, IDC_RIGHT_BUTTON));
            });
        };
        expect(stored);
        s.Click(IDC_RIGHT_BUTTON);
        expect(1 - on);
        s.Click(IDC_RIGHT_BUTTON);
        expect(on);
        s.Click(IDC_BACK);
        s.Run([] { OpenPage(IDD_RIGHT_BUTTON, NULL, RightButtonPage); });
    }
}

} // namespace
