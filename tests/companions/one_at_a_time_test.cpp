// Setup and the companions that change the installation refuse to run beside one another,
// and the first of them to run after a stopped setup puts back what it kept aside.
#include "companion_test.h"

namespace {

class OneAtATime : public InstalledTest {};

// Another of them holds the installation, as a running setup does: each says so and ends
// touching nothing.
TEST_F(OneAtATime, EachRefusesWhileAnotherRuns)
{
    const struct { const char *caption; int (*run)(void); } programs[] = {
        { SETUP_CAPTION, [] { return RunSetupProgram(); } },
        { REMOVER_CAPTION, RunRemover },
        { ALIGNER_CAPTION, RunAligner },
        { TUNER_CAPTION, RunTuner },
    };
    HANDLE other = CreateMutexA(NULL, TRUE, "Velmora Installation");
    for (const auto &program : programs) {
        SCOPED_TRACE(program.caption);
        RunAnswering(program.run, INSTALLATION_BUSY_TEXT, program.caption, IDI_EXCLAMATION);
        ExpectInstalled();
        EXPECT_TRUE(ReadSimulationLog().empty()) << "the driver was opened";
    }
    CloseHandle(other);

    // An object of another kind that holds the lock's name leaves no lock to be made.
    other = CreateEventA(NULL, TRUE, FALSE, "Velmora Installation");
    RunAnswering(programs[0].run, INSTALLATION_UNGUARDED_TEXT, SETUP_CAPTION, IDI_EXCLAMATION);
    CloseHandle(other);
}

// Setup and the remover put a stopped setup's changes back before anything else, so that a
// later setup never undoes what they change; the aligner and the tuner, which would carry the
// roll-back for this moment alone, refuse until setup has run; the monitor, which changes
// nothing, says one waits.
TEST_F(OneAtATime, FirstToRunAfterAStoppedSetupPutsBackWhatItChanged)
{
    const struct { const char *caption; int (*run)(void); void (*walk)(Scenario &s); } programs[] = {
        { ALIGNER_CAPTION, RunAligner, [](Scenario &s) {
            s.AnswerMessageBox(STOPPED_SETUP_TEXT, ALIGNER_CAPTION, IDI_EXCLAMATION);
        } },
        { TUNER_CAPTION, RunTuner, [](Scenario &s) {
            s.AnswerMessageBox(STOPPED_SETUP_TEXT, TUNER_CAPTION, IDI_EXCLAMATION);
        } },
        { SETUP_CAPTION, [] { return RunSetupProgram(); }, [](Scenario &s) { s.OnPage(IDD_WELCOME).Click(IDC_CANCEL); } },
        { REMOVER_CAPTION, RunRemover, [](Scenario &s) {
            s.AnswerMessageBox("Remove the Velmora touch screen driver?", REMOVER_CAPTION, IDI_QUESTION, IDNO);
        } },
        { PADMON_CAPTION, RunPadmon, [](Scenario &s) {
            s.OnWindowWith(IDC_PADMON_ASIDE, [](HWND page) {
                EXPECT_EQ("Kept aside by an unfinished setup : YES", ControlText(page, IDC_PADMON_ASIDE));
            }).Click(IDCANCEL);
        } },
    };
    for (const auto &program : programs) {
        SCOPED_TRACE(program.caption);
        InstallVelmora();   // each from an installation of its own, whatever the one before left
        StopSetupOverTheInstallation();
        Scenario s;
        program.walk(s);
        s.Run(program.run);
        bool waits = program.run == RunPadmon || program.run == RunAligner || program.run == RunTuner;
        EXPECT_EQ(waits, JournalPresent() != FALSE);
        EXPECT_EQ(waits ? "medium driver" : "installed driver", ReadFileText(SystemDirectoryPath(DRIVER_FILE_NAME)));
        EXPECT_EQ(waits ? 1u : 2u, StoredSetting("ComPort"));
        RollBackJournal();
    }
}

} // namespace
