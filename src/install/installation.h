// The steps of installing in their one order, and what a failed step does. The wizard's
// pages and the silent replay are two front ends of this one order: the summary page and the
// replay prepare the driver, the calibration's OK and the replay accept the corners, the
// finish page and the replay commit.
#ifndef VELMORA_INSTALLATION_H
#define VELMORA_INSTALLATION_H

#include "settings.h"
#include "paths.h"
#include "run_log.h"
#include "driver.h"

// Each phase ends with an exit code of a replay (run_log.h).

// What the first load of this run found of an earlier installation, each piece on its own: a
// disabled driver (no entry), a half-removed one (no settings) or a stopped run's leftovers
// are installations all the same, and a run that ends unfinished over one puts back exactly
// what it found.
struct FirstLoadRecord {
    BOOL Taken;
    BOOL SettingsFound;
    BOOL DriverFileFound;
    BOOL DriverRegistered;
};
extern FirstLoadRecord FirstLoad;

// The wizard's load (ReadOrMakePanelSettings), the first of a run remembered. Before the load
// can make the settings key, the run's journal holds everything the installation may change.
void LoadPanelSettings(void);
// TRUE when the first load found any piece of an earlier installation.
BOOL EarlierInstallationFound(void);

// One run's installation. Everything it changes is recorded first in the journal
// (journal.h), which puts it back. With AllOrNothing (the replay) the first failed step ends
// its phase and PutMachineBack rolls the run back. Without it (the wizard) a failed copy or
// save goes on, as the pages always have: the load decides on the summary page, and the
// finish page names the first thing not written while what was written stays.
struct InstallationRun {
    BOOL AllOrNothing;
    BOOL Journaled;            // the journal holds the machine as this run found it
    BOOL AlreadyInstalled;     // found in place: nothing was changed
    const char *Refusal;       // why the driver could not be replaced: nothing changed
    const char *FirstFailed;   // the first thing the commit could not write: "Registry" or a file
    BOOL AnswersNotWritten;
    char Folder[PATH_BUFFER_SIZE];
    BOOL RemoverInPlace;
};
extern InstallationRun Installation;

// As the summary page opens: the machine recorded in the journal (when it cannot be, Refusal
// says why and nothing was changed), the medium's driver copied into the
// system directory, the settings saved (the driver reads the port from them when it loads),
// the driver loaded. EXIT_DONE, EXIT_DRIVER or EXIT_NOT_STORED.
int PrepareDriver(void);
// Whether the card answers the loaded driver on the stored port: EXIT_DONE or EXIT_CARD.
int ProbeCard(void);
// The corners accepted, as OK on the calibration screen leaves the driver: corners not sent
// yet (the replay's; the screen sends its own at the fourth touch) go first, then the driver
// maps by them. The replay's corners are its step "Send the corners"; where its answers hold
// none (aligned FALSE) they are the machine's own, which the driver learns from no setting,
// and the log says the panel is not aligned instead.
void AcceptCorners(const PanelCorners *unsent, BOOL aligned);
// The driver let go; its static-driver entry, the settings, the programs (progress, when not
// NULL, told each one's name before its copy), the deletions of the next start taken back,
// the Add/Remove entry while the remover is in place, and answerFile (NULL for none) written
// with the answers once all the rest is. EXIT_DONE or EXIT_NOT_STORED. Unless the replay must
// put the machine back, the run's changes are committed.
int CommitInstallation(void (*progress)(const char *program), const char *answerFile);
// After a replay's failed phase, and Cancel on the summary page: the machine as the run found
// it.
void PutMachineBack(void);
// A wizard that ends without the finish page: over an earlier installation, the machine as
// the run found it; on a machine without one, what the run stored stays, as the summary page
// left it, for the next setup to use.
void EndUnfinishedInstallation(void);

// TRUE when the machine already holds exactly what these answers would install (the corners
// compared only when aligned): the stored values as REG_DWORD, the static-driver entry, the
// driver and the programs byte for byte the medium's, the programs in the user's folder or in
// the one the Add/Remove entry names (another user's), the entry as setup writes it, none of
// those files due for deletion at the next start, nothing left to put back. Nothing is written.
BOOL InstallationInPlace(const PanelSettingsRecord *answers, BOOL aligned);

#endif
