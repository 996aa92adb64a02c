// Removal on Windows 95/98, where RegDeleteKey takes a key's whole tree with it: other
// Orrimac products' keys beside and below setup's own must survive a cancelled setup.
#include "test_machine.h"
#include "installation.h"

namespace {

class Win98Removal : public SetupMachineTest {};

TEST_F(Win98Removal, KeysBesideAndBelowTheSettingsSurviveWithTheirValues)
{
    const char sibling[] = SETTINGS_PARENT_KEY "\\inkpad";
    const char below[] = SETTINGS_KEY "\\profiles";
    WriteDword(sibling, "Speed", 9600);
    LoadPanelSettings();
    PutMachineBack();
    EXPECT_FALSE(KeyExists(SETTINGS_KEY));
    EXPECT_EQ(9600u, StoredDword(sibling, "Speed")) << "the parent went with another product's key";

    LoadPanelSettings();
    WriteDword(below, "Count", 2);
    PutMachineBack();
    EXPECT_EQ(0, CountValues(SETTINGS_KEY)) << "the settings were not removed";
    EXPECT_EQ(2u, StoredDword(below, "Count")) << "the settings key went with what is below it";

    // Without this the checks above would pass on a registry that refuses to delete trees,
    // and prove nothing.
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_LOCAL_MACHINE, SETTINGS_KEY));
    EXPECT_FALSE(KeyExists(below)) << "the prefix is not in Windows 95/98 mode";
}

} // namespace
