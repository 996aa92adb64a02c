// Setup and the companions that change the installation refuse to run beside one another.
#include "companion_test.h"
#include "companions.h"
#include "settings.h"
#include "setup.h"

namespace {

class OneAtATime : public CompanionTest {};

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
    InstallVelmora();
    HANDLE other = CreateMutexA(NULL, TRUE, "Velmora Installation");
    for (const auto &program : programs) {
        SCOPED_TRACE(program.caption);
        Scenario s;
        s.AnswerMessageBox(INSTALLATION_BUSY_TEXT, program.caption, IDI_EXCLAMATION);
        s.Run([&program] { program.run(); });
        EXPECT_EQ(InstalledRecord, StoredRecord());
        EXPECT_TRUE(StaticDriverRegistered());
        EXPECT_EQ("installed driver", ReadFileText(SystemDirectoryPath(DRIVER_FILE_NAME)));
        EXPECT_TRUE(FileExists(StartMenuProgram("REMOVER.EXE")));
        EXPECT_TRUE(ReadSimulationLog().empty()) << "the driver was opened";
    }
    CloseHandle(other);
}

} // namespace
