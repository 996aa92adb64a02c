// Every template of setup, made from the real resources, is told as itself by the one table
// the walk and the dialog driver share: a control id changed in a template fails here.
#include "resource.h"
#include "setup_pages.h"

#include <gtest/gtest.h>

namespace {

INT_PTR CALLBACK NothingDone(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

TEST(SetupPages, EachTemplateIsToldAsItselfAndNamed)
{
    for (int id : { IDD_WELCOME, IDD_PORT, IDD_RIGHT_BUTTON, IDD_SUMMARY, IDD_CALIBRATION, IDD_FINISH, IDD_MODE }) {
        HWND page = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(id), NULL, NothingDone, 0);
        ASSERT_TRUE(page != NULL) << "template " << id;
        EXPECT_EQ(id, PageTemplateOf(page));
        EXPECT_TRUE(PageName(id) != NULL) << "template " << id << " has no name for the walk's log";
        DestroyWindow(page);
    }
    EXPECT_EQ(0, PageTemplateOf(NULL));
    EXPECT_EQ(NULL, PageName(0));
}

} // namespace
