// Stored values of every type and size, the same in all 13 fields: what setup, PADMON, TUNER
// and ALIGNER show of them and store back (a cancelled setup stores nothing back). A value of up to 4 bytes is taken as its bytes,
// least significant first, whatever its type, over a field that was zero; a longer one gives
// every field its default.
#include "companion_test.h"

namespace {

struct StoredForm {
    const char *name;
    DWORD type;
    std::vector<BYTE> data;
    bool defaults;           // every field takes its default
    DWORD value;             // otherwise, the value every field takes
    const char *summary;     // the summary page's port line, after "COM Port Setting : "
};

const StoredForm Forms[] = {
    { "String", REG_SZ, { 'C', 'O', 'M', '2', 0 }, true, 0, "COM 1, IRQ 4" },
    { "Binary0", REG_BINARY, {}, false, 0, "none" },
    { "Binary1", REG_BINARY, { 1 }, false, 1, "COM 1" },
    { "Binary2", REG_BINARY, { 3, 1 }, false, 259, "none" },
    { "Binary4", REG_BINARY, { 2, 0, 0, 0 }, false, 2, "COM 2" },
    { "Binary8", REG_BINARY, { 2, 0, 0, 0, 2, 0, 0, 0 }, true, 0, "COM 1, IRQ 4" },
    { "None", REG_NONE, { 3, 0, 0, 0 }, false, 3, "COM 3, IRQ 3" },
    { "BigEndian", REG_DWORD_BIG_ENDIAN, { 0, 0, 0, 4 }, false, 0x04000000, "none" },
    { "Zero", REG_DWORD, { 0, 0, 0, 0 }, false, 0, "none" },
    { "LargestPositive", REG_DWORD, { 0xFF, 0xFF, 0xFF, 0x7F }, false, 0x7FFFFFFF, "none" },
    { "SmallestNegative", REG_DWORD, { 0, 0, 0, 0x80 }, false, 0x80000000, "none" },
    { "AllOnes", REG_DWORD, { 0xFF, 0xFF, 0xFF, 0xFF }, false, 0xFFFFFFFF, "none" },
};

const int MonitorLines[] = {
    IDC_PADMON_PORT, IDC_PADMON_BUTTON, IDC_PADMON_MODE, IDC_PADMON_LEFT_UP, IDC_PADMON_RIGHT_UP,
    IDC_PADMON_LEFT_DN, IDC_PADMON_RIGHT_DN, IDC_PADMON_STARTUP, IDC_PADMON_DRIVER_FILE, IDC_PADMON_PROGRAMS, IDC_PADMON_ASIDE,
    IDC_PADMON_UNINSTALL,
};

class StoredValues : public CompanionTest, public testing::WithParamInterface<StoredForm> {
protected:
    // All 13 values in this form, and the program about to run starting as a new process.
    void StoreForm(const char *key = SETTINGS_KEY)
    {
        const StoredForm &f = GetParam();
        for (int i = 0; i < PANEL_SETTING_COUNT; i++)
            WriteValue(key, PanelSettingFields[i].Name, f.type, f.data.data(), (DWORD)f.data.size());
        ResetSetupGlobals();
        SetupInstance = GetModuleHandleA(NULL);
    }
    // The values before index end are still in the stored form.
    void ExpectUntouchedBefore(int end)
    {
        for (int i = 0; i < end; i++) {
            DWORD type = 0;
            std::vector<BYTE> data;
            ASSERT_TRUE(ReadValue(SETTINGS_KEY, PanelSettingFields[i].Name, &type, &data));
            EXPECT_EQ(GetParam().type, type) << PanelSettingFields[i].Name;
            EXPECT_EQ(GetParam().data, data) << PanelSettingFields[i].Name;
        }
    }
};

TEST_P(StoredValues, ShownAsLoadedAndStoredBackAsDwords)
{
    const StoredForm &f = GetParam();
    const std::vector<DWORD> loaded = f.defaults ? FirstRunRecord : std::vector<DWORD>(PANEL_SETTING_COUNT, f.value);
    const DWORD mode = loaded[11], button = loaded[12];
    // PADMON's port line: the port, the base in hex and the line, each unsigned.
    char port[96];
    snprintf(port, sizeof port, "COM Port Setting : COM %lu (%lXh), IRQ %lu", loaded[8], loaded[9], loaded[10]);

    // Setup: the summary page shows the loaded values and saves them all as REG_DWORD.
    StoreForm();
    Scenario().WalkToPage(IDD_RIGHT_BUTTON).OnPage(IDD_RIGHT_BUTTON, [button](HWND page) {
        EXPECT_EQ(button == 1 ? BST_CHECKED : BST_UNCHECKED, ControlChecked(page, IDC_RIGHT_BUTTON));
    }).Click(IDC_NEXT).OnPage(IDD_SUMMARY, [&f, button](HWND page) {
        EXPECT_EQ(std::string("COM Port Setting : ") + f.summary, ControlText(page, IDC_PORT_LINE));
        EXPECT_EQ(button == 1 ? "Right Button Setting :  ON" : "Right Button Setting : OFF",
                  ControlText(page, IDC_BUTTON_LINE));
        ExpectTextFitsItsControl(page, IDC_PORT_LINE);
    }).Click(IDC_BACK).OnPage(IDD_RIGHT_BUTTON).Click(IDC_BACK).OnPage(IDD_PORT).Click(IDC_BACK)
        .OnPage(IDD_WELCOME).Click(IDC_CANCEL).Run([] { RunSetupProgram(); });
    // Cancelled, the run puts each value back as it found it, its type and bytes.
    ExpectUntouchedBefore(PANEL_SETTING_COUNT);

    // PADMON shows them, every line inside its control, and stores nothing.
    StoreForm();
    Scenario().OnWindowWith(IDC_PADMON_PORT, [&port](HWND page) {
        EXPECT_EQ(port, ControlText(page, IDC_PADMON_PORT));
        for (int id : MonitorLines)
            ExpectTextFitsItsControl(page, id);
    }).Click(IDCANCEL).Run(RunPadmon);
    ExpectUntouchedBefore(PANEL_SETTING_COUNT);

    // TUNER checks a mode only for 1 to 3, and OK stores only its two values, as loaded.
    StoreForm();
    Scenario().OnWindowWith(IDC_TUNER_MODE1, TunerShows(mode, button)).Click(IDOK)
        .AnswerMessageBox(TUNED_TEXT_SEEN, TUNER_CAPTION, IDI_ASTERISK).Run(RunTuner);
    EXPECT_EQ(mode, StoredSetting("Mode"));
    EXPECT_EQ(button, StoredSetting("RightButton"));
    ExpectUntouchedBefore(11);

    // ALIGNER stores the new corners and the rest of the record as it loaded it.
    StoreForm();
    PutDriverFile();
    Scenario().TouchTargets(5).Click(IDC_OK).Run(RunAligner);
    std::vector<DWORD> stored = StoredRecord();
    EXPECT_EQ(std::vector<DWORD>(loaded.begin() + 8, loaded.end()), std::vector<DWORD>(stored.begin() + 8, stored.end()));

    // An aside copy in this form, with a subkey beside it, puts back a 4-byte value as the loader
    // takes it and the default for any other size; then it is gone whole.
    InstallVelmora();
    StoreForm(EARLIER_SETTINGS_KEY);
    WriteDword(EARLIER_SETTINGS_KEY "\\more\\deeper", "Extra", 1);
    PutEarlierInstallationBack();
    EXPECT_EQ(f.data.size() == 4 ? std::vector<DWORD>(PANEL_SETTING_COUNT, f.value) : FirstRunRecord, StoredRecord());
    EXPECT_FALSE(KeyExists(EARLIER_SETTINGS_KEY));
}

void PrintTo(const StoredForm &f, std::ostream *out)
{
    *out << f.name;
}

// Each form named as it prints.
INSTANTIATE_TEST_SUITE_P(Forms, StoredValues, testing::ValuesIn(Forms), testing::PrintToStringParamName());

} // namespace
