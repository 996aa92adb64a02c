// Touch tuning: only Mode and RightButton change, only on OK, only in a key that exists.
#include "companion_test.h"

namespace {

class Tuner : public CompanionTest {};

TEST_F(Tuner, OkWritesModeAndRightButtonAndNothingElse)
{
    InstallVelmora();
    Scenario s;
    OnWindowWith(s, IDC_TUNER_MODE1, [](HWND page) { ExpectTunerChoices(page, 2, 1); });
    s.Click(IDC_TUNER_MODE3).Click(IDC_TUNER_RIGHT_BUTTON);
    // Aligned again by another program while this window was open.
    s.Then("realign", [](HWND) { WriteDword(SETTINGS_KEY, "LeftUpX", 77); return true; });
    OnWindowWith(s, IDC_TUNER_MODE1, [](HWND page) { ExpectTunerChoices(page, 3, 0); });
    s.Click(IDOK).AnswerMessageBox(TUNED_TEXT_SEEN, TUNER_CAPTION, IDI_ASTERISK);
    s.Run([] { RunTuner(); });

    std::vector<DWORD> expected = InstalledRecord;
    expected[0] = 77;
    expected[11] = 3;
    expected[12] = 0;
    EXPECT_EQ(expected, StoredRecord());
}

TEST_F(Tuner, CancelAndEscapeChangeNothing)
{
    InstallVelmora();
    for (int way = 0; way < 2; way++) {
        Scenario s;
        OnWindowWith(s, IDC_TUNER_MODE1);
        s.Click(IDC_TUNER_MODE1).Click(IDC_TUNER_RIGHT_BUTTON);
        way == 0 ? s.Click(IDCANCEL) : s.PressEscape();
        s.Run([] { RunTuner(); });
        EXPECT_EQ(InstalledRecord, StoredRecord()) << (way == 0 ? "Cancel" : "Escape");
    }
}

// Read from a key closed to writing; OK then says the choices were not stored.
TEST_F(Tuner, KeyClosedToWritingShowsTheStoredChoicesAndTellsTheyWereNotStored)
{
    InstallVelmora();
    ShutKey();
    Scenario s;
    OnWindowWith(s, IDC_TUNER_MODE1, [](HWND page) { ExpectTunerChoices(page, 2, 1); });
    s.Click(IDC_TUNER_MODE3).Click(IDOK);
    s.AnswerMessageBox(TUNER_NOT_STORED_TEXT, TUNER_CAPTION, IDI_EXCLAMATION);
    s.Run([] { RunTuner(); });
    EXPECT_EQ(InstalledRecord, StoredRecord());
}

TEST_F(Tuner, NeverCreatesTheSettingsKey)
{
    RunAnswering(RunTuner, NOT_INSTALLED_TEXT, TUNER_CAPTION, IDI_EXCLAMATION);
    EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));

    // Removed while the window was open.
    InstallVelmora();
    Scenario removed;
    OnWindowWith(removed, IDC_TUNER_MODE1);
    removed.Then("remove", [](HWND) { DeleteKeyTree(SETTINGS_PARENT_KEY); return true; });
    removed.Click(IDOK).AnswerMessageBox(NOT_INSTALLED_TEXT, TUNER_CAPTION, IDI_EXCLAMATION);
    removed.Run([] { RunTuner(); });
    EXPECT_FALSE(KeyExists(SETTINGS_KEY));
}

} // namespace
