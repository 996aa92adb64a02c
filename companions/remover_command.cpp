// REMOVER.EXE's command line: the remover that asks, or with /S the quiet one that scripts
// and Add/Remove Programs' quiet string run; /LOG=<file> logs either.
#include "companions.h"
#include "run_log.h"
#include "setup.h"

static CommandSwitches RemoverSwitches;

// Nothing is asked and nothing shown; a restart is left to whoever ran it.
static int RemoveQuietly(void)
{
    if (!VelmoraPresent())
        return EndRun(EXIT_DONE, "Velmora is not installed on this computer");
    RemoveVelmora();
    if (RemovalInRegistry[0] || RemovalFilesLeft > 0)
        return EndRun(1, "something stays, named above");
    if (RestartWanted())
        return EndRun(EXIT_RESTART_NEEDED, "removed, restart needed (files to delete or the driver to unload)");
    return EndRun(EXIT_DONE, "removed");
}

int RunRemoverCommand(const char *commandLine)
{
    int code;

    if (!TakeCommandLine(commandLine, RemoverSwitchRules, REMOVER_SWITCH_COUNT, REMOVER_QUIET, REMOVER_LOG, NULL,
                         REMOVER_CAPTION, &RemoverSwitches))
        return EXIT_COMMAND_LINE;
    if (!RemoverSwitches.Given[REMOVER_QUIET])
        return EndRun(RunRemover(), "the remover ended");
    if (!ClaimInstallation(NULL))
        return EndRun(EXIT_BUSY, BUSY_REASON);
    code = RemoveQuietly();
    ReleaseInstallation();
    return code;
}
