// Touch tuning: only Mode and RightButton change, only on OK, only in a key that exists.
#include "companion_test.h"

namespace {

class Tuner : public InstalledTest {};

TEST_F(Tuner, OkWritesModeAndRightButtonAndNothingElse)
{
    Scenario().OnWindowWith(IDC_TUNER_MODE1, TunerShows(2, 1)).Click(IDC_TUNER_MODE3).Click(IDC_TUNER_RIGHT_BUTTON)
        // Aligned again by another program while this window was open.
        .Do("realign", [](HWND) { WriteDword(SETTINGS_KEY, "LeftUpX", 77); })
        .OnWindowWith(IDC_TUNER_MODE1, TunerShows(3, 0)).Click(IDOK)
        .AnswerMessageBox(TUNED_TEXT_SEEN, TUNER_CAPTION, IDI_ASTERISK).Run(RunTuner);

    // The installed record but for that LeftUpX, mode 3 and the right button off.
    EXPECT_EQ((std::vector<DWORD>{ 77, 20, 1010, 18, 1006, 760, 9, 757, 2, 760, 3, 3, 0 }), StoredRecord());
}

TEST_F(Tuner, CancelAndEscapeChangeNothing)
{
    for (int way = 0; way < 2; way++) {
        Scenario s;
        s.OnWindowWith(IDC_TUNER_MODE1).Click(IDC_TUNER_MODE1).Click(IDC_TUNER_RIGHT_BUTTON);
        (way == 0 ? s.Click(IDCANCEL) : s.PressEscape()).Run(RunTuner);
        EXPECT_EQ(InstalledRecord, StoredRecord()) << (way == 0 ? "Cancel" : "Escape");
    }
}

// Read from a key closed to writing; OK then says the choices were not stored.
TEST_F(Tuner, KeyClosedToWritingShowsTheStoredChoicesAndTellsTheyWereNotStored)
{
    ShutKey();
    Scenario().OnWindowWith(IDC_TUNER_MODE1, TunerShows(2, 1)).Click(IDC_TUNER_MODE3).Click(IDOK)
        .AnswerMessageBox(TUNER_NOT_STORED_TEXT, TUNER_CAPTION, IDI_EXCLAMATION).Run(RunTuner);
    EXPECT_EQ(InstalledRecord, StoredRecord());
}

// Removed while the window was open, then missing when it starts.
TEST_F(Tuner, NeverCreatesTheSettingsKey)
{
    Scenario().OnWindowWith(IDC_TUNER_MODE1).Do("remove", [](HWND) { DeleteKeyTree(SETTINGS_PARENT_KEY); }).Click(IDOK)
        .AnswerMessageBox(NOT_INSTALLED_TEXT, TUNER_CAPTION, IDI_EXCLAMATION).Run(RunTuner);
    EXPECT_FALSE(KeyExists(SETTINGS_KEY));

    RunAnswering(RunTuner, NOT_INSTALLED_TEXT, TUNER_CAPTION, IDI_EXCLAMATION);
    EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
}

} // namespace
