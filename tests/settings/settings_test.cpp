// Loading and saving the settings record against the real registry: first run, missing
// and odd values, and saves that must not bring a removed key back.
#include "test_machine.h"
#include "earlier.h"
#include "installation.h"

namespace {

class SettingsRecord : public SetupMachineTest {
protected:
    // Loads into a record filled with a pattern no default or stored value has, so that a
    // field the load forgot or wrote short shows; the record as loaded.
    static std::vector<DWORD> PoisonAndLoad()
    {
        FillMemory(&PanelSettings, sizeof PanelSettings, 0xA5);
        FillMemory(&PrevSelection, sizeof PrevSelection, 0xA5);
        LoadPanelSettings();
        return Loaded();
    }

    // The record's 13 fields in registry order.
    static std::vector<DWORD> Loaded()
    {
        return std::vector<DWORD>((const DWORD *)&PanelSettings, (const DWORD *)&PanelSettings + PANEL_SETTING_COUNT);
    }
};

enum { COM_IRQ = 10 };

TEST_F(SettingsRecord, FirstRunCreatesTheKeyWithExactlyTheThirteenDefaults)
{
    EXPECT_EQ(FirstRunRecord, PoisonAndLoad());
    EXPECT_EQ(PANEL_SETTING_COUNT, CountValues(SETTINGS_KEY));
    EXPECT_EQ(FirstRunRecord, StoredRecord());
    EXPECT_EQ(1u, PrevSelection.PrevComPort);
    EXPECT_EQ(4u, PrevSelection.PrevComIrq);
}

TEST_F(SettingsRecord, EmptyKeyGivesTheDefaultsAndStaysEmpty)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, CreateKey(SETTINGS_KEY, &key, NULL));
    RegCloseKey(key);
    EXPECT_EQ(FirstRunRecord, PoisonAndLoad());
    EXPECT_EQ(0, CountValues(SETTINGS_KEY)) << "a load wrote to an existing key";
}

TEST_F(SettingsRecord, StoredValuesLoadUnchangedAndAMissingOneTakesItsDefault)
{
    // Corners that are negative and a port no button stands for: no range is checked.
    std::vector<DWORD> stored = { (DWORD)-17, 33, 990, 12, 1001, 1013, 4, 1020, 9, 760, 3, 2, 1 };
    for (int i = 0; i < PANEL_SETTING_COUNT; i++)
        if (i != COM_IRQ)
            WriteDword(SETTINGS_KEY, PanelSettingFields[i].Name, stored[i]);
    stored[COM_IRQ] = 4;
    EXPECT_EQ(stored, PoisonAndLoad());
    EXPECT_EQ(9u, PrevSelection.PrevComPort);
    EXPECT_EQ(4u, PrevSelection.PrevComIrq);
    EXPECT_EQ(PANEL_SETTING_COUNT - 1, CountValues(SETTINGS_KEY)) << "the missing value was written";
}

TEST_F(SettingsRecord, ValuesOfOtherTypesAndSizes)
{
    for (int i = 0; i < PANEL_SETTING_COUNT; i++)
        WriteDword(SETTINGS_KEY, PanelSettingFields[i].Name, 100 + i);
    // Too long for the field: the default, and the values after it still load.
    WriteValue(SETTINGS_KEY, "RightUpX", REG_SZ, "longer than four", 17);
    WriteValue(SETTINGS_KEY, "ComBase", REG_BINARY, "\x78\x56\x34\x12", 4);
    // Two bytes fill the low half; the high half keeps what the field held before.
    WriteValue(SETTINGS_KEY, "Mode", REG_BINARY, "\x34\x12", 2);
    PoisonAndLoad();
    EXPECT_EQ(1024, PanelSettings.Corners.RightUpX);
    EXPECT_EQ(103, PanelSettings.Corners.RightUpY);
    EXPECT_EQ(0x12345678u, PanelSettings.ComBase);
    EXPECT_EQ(0xA5A51234u, PanelSettings.Mode);
    EXPECT_EQ(112u, PanelSettings.RightButton) << "the query after a short value was not given 4 bytes";
}

TEST_F(SettingsRecord, SaveWritesEveryFieldOnlyToAnExistingKey)
{
    LoadPanelSettings();
    for (int i = 0; i < PANEL_SETTING_COUNT; i++)
        ((DWORD *)&PanelSettings)[i] = 500 + i;
    PrevSelection.PrevComPort = 77;
    SavePanelSettings();
    EXPECT_EQ(Loaded(), StoredRecord());
    EXPECT_EQ(500u, StoredSetting("LeftUpX"));
    EXPECT_EQ(77u, PrevSelection.PrevComPort) << "a save touched the previous selection";

    DeleteKeyTree(SETTINGS_KEY);
    SavePanelSettings();
    EXPECT_FALSE(KeyExists(SETTINGS_KEY)) << "a save recreated a removed key";
}

} // namespace
