// Removal on Windows 95/98, where RegDeleteKey takes a key's whole tree with it: other
// Orrimac products' keys beside and below setup's own must survive a cancelled setup.
#include "test_machine.h"
#include "settings.h"

namespace {

class Win98Removal : public SetupMachineTest {};

// Without this the tests below would pass on a registry that refuses to delete trees,
// and prove nothing.
TEST_F(Win98Removal, RegistryDeletesWholeTreesInThisMode)
{
    WriteDword("software\\velmora-probe\\child", "x", 1);
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_LOCAL_MACHINE, "software\\velmora-probe"));
    EXPECT_FALSE(KeyExists("software\\velmora-probe"));
    DeleteKeyTree("software\\velmora-probe");
}

TEST_F(Win98Removal, SiblingProductKeySurvivesWithItsValues)
{
    const char sibling[] = SETTINGS_PARENT_KEY "\\inkpad";
    WriteDword(sibling, "Port", 3);
    WriteDword(sibling, "Speed", 9600);
    LoadPanelSettings();
    RemoveInstallation();

    EXPECT_FALSE(KeyExists(SETTINGS_KEY));
    ASSERT_TRUE(KeyExists(sibling)) << "the parent was deleted with its other product's key";
    DWORD port = 0, speed = 0;
    EXPECT_TRUE(ReadDword(sibling, "Port", &port));
    EXPECT_TRUE(ReadDword(sibling, "Speed", &speed));
    EXPECT_EQ(3u, port);
    EXPECT_EQ(9600u, speed);
}

TEST_F(Win98Removal, KeyBelowTheSettingsKeyKeepsItAndItsParent)
{
    const char below[] = SETTINGS_KEY "\\profiles";
    LoadPanelSettings();
    WriteDword(below, "Count", 2);
    RemoveInstallation();

    EXPECT_EQ(0, CountValues(SETTINGS_KEY)) << "the settings were not removed";
    DWORD count = 0;
    EXPECT_TRUE(ReadDword(below, "Count", &count));
    EXPECT_EQ(2u, count);
}

} // namespace
