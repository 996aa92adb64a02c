// The installation's steps that the wizard's pages and the silent installation share, each
// logged with its outcome when the run keeps a log.
#include "installation_steps.h"
#include "settings.h"
#include "paths.h"
#include "driver.h"
#include "uninstall_entry.h"
#include "run_log.h"
#include "texts.h"
#include "earlier.h"
#include "driver_entry.h"

// The platform loads the driver from the system directory, so the medium's copy replaces
// whatever an earlier run left there; the driver of an earlier completed installation is
// kept aside first, for a run that ends unfinished. A system directory whose path leaves no
// room for the file name gets no copy.
BOOL ReplaceDriverFile(const char **refusal)
{
    char target[PATH_BUFFER_SIZE];
    AsideOutcome aside = KeepEarlierInstallationAside();

    *refusal = NULL;
    if (aside != ASIDE_KEPT) {
        *refusal = aside == ASIDE_FOLDER_IN_THE_WAY ? ASIDE_FOLDER_TEXT : ASIDE_NOT_KEPT_TEXT;
        return FALSE;
    }
    return LogStep(SystemFilePath(target, DRIVER_FILE_NAME) && CopyWritableFile(DRIVER_FILE_NAME, target),
                   "Copy " DRIVER_FILE_NAME " to %s", target);
}

// A probe call that fails, or a reply without a status address, is a card that did not
// answer: there is nothing to read.
BOOL CardAnswers(void)
{
    PanelReply reply;
    LONG status;
    BOOL answers = PanelControl(IOCTL_PANEL_PROBE_CARD, 0, 0, &reply) && ReadReplyValue(&reply, 1, &status) &&
                   status == 0;

    return LogStep(answers, "Probe the card on COM %lu, base %lu, IRQ %lu", PanelSettings.ComPort,
                   PanelSettings.ComBase, PanelSettings.ComIrq);
}

BOOL RegisterDriverForStart(void)
{
    return LogStep(RegisterStaticDriver(), "Write the static-driver entry");
}

BOOL StoreSettings(void)
{
    return LogStep(SavePanelSettings(), "Save the settings");
}

// From the current directory, the medium. FALSE when the program is not there or its
// destination does not fit the path buffer; a destination cut short would put the file
// somewhere else entirely.
BOOL CopyCompanionProgram(const char *program, const char *folder)
{
    char destination[PATH_BUFFER_SIZE];

    return LogStep(folder[0] && JoinPath(destination, folder, program) && CopyWritableFile(program, destination),
                   "Copy %s to %s", program, folder);
}

BOOL RegisterRemover(const char *folder)
{
    char remover[PATH_BUFFER_SIZE];

    return LogStep(folder[0] && JoinPath(remover, folder, CompanionProgramFiles[REMOVER_PROGRAM]) &&
                   WriteUninstallEntry(remover),
                   "Write the Add/Remove Programs entry");
}
