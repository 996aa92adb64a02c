// REMOVER.EXE's command line: the remover that asks, or with /S the quiet one that scripts
// and Add/Remove Programs' quiet string run; /LOG=<file> logs either.
#include "companions.h"
#include "program.h"
#include "run_log.h"
#include "status_file.h"

static CommandSwitches RemoverSwitches;

// Nothing is asked and nothing shown; a restart is left to whoever ran it.
static int RemoveQuietly(void)
{
    char reason[200];

    if (!VelmoraPresent())
        return EndRun(EXIT_DONE, NOT_INSTALLED_TEXT);
    RemoveVelmora();
    if (RemovalInRegistry[0] || RemovalFilesLeft > 0)
        return EndRun(1, "something stays, named above");
    if (RestartWanted()) {
        ComposeRestartReason(reason, sizeof reason);
        return EndRun(EXIT_RESTART_NEEDED, reason);
    }
    return EndRun(EXIT_DONE, "removed");
}

int RunRemoverCommand(const char *commandLine)
{
    int code;

    if (!TakeCommandLine(commandLine, RemoverSwitchRules, REMOVER_SWITCH_COUNT, REMOVER_QUIET, REMOVER_LOG, NULL,
                         REMOVER_CAPTION, REMOVER_LOG_NAME, &RemoverSwitches))
        return EXIT_COMMAND_LINE;
    ReportRunInStatusFile(RemoverSwitches.Value[REMOVER_MIF]);
    if (!RemoverSwitches.Given[REMOVER_QUIET])
        return EndRun(RunRemover(), "the remover ended");
    if (!ClaimInstallation(NULL))
        return EndRun(EXIT_BUSY, BUSY_REASON);
    code = RemoveQuietly();
    ReleaseInstallation();
    return code;
}
