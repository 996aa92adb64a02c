// An earlier, completed installation: what this run found of it, kept aside while the run
// replaces it, and put back when the run ends without installing.
#ifndef VELMORA_EARLIER_H
#define VELMORA_EARLIER_H

#include "settings.h"

// What the first load of this run found: the record as loaded, and whether an earlier,
// completed setup had registered the driver. A cancel puts such an installation back.
struct FirstLoadRecord {
    BOOL Taken;
    BOOL DriverRegistered;
    PanelSettingsRecord Settings;
};
extern FirstLoadRecord FirstLoad;

// The wizard's load (ReadOrMakePanelSettings), the first of a run remembered.
void LoadPanelSettings(void);

// The key is written first and goes last, so that it marks an aside copy as long as any
// part of one exists.
// Before the summary page first replaces the driver over an earlier completed installation.
// Unless the outcome is ASIDE_KEPT (which it also is when there is nothing to keep), nothing
// was changed and the earlier driver must not be replaced: a folder has the aside file's
// name, or the copy could not be written or the driver not moved.
enum AsideOutcome { ASIDE_KEPT, ASIDE_FOLDER_IN_THE_WAY, ASIDE_NOT_KEPT };
AsideOutcome KeepEarlierInstallationAside(void);
// TRUE when an earlier installation is kept aside, by this run or by one that was stopped.
BOOL EarlierInstallationAside(void);
// Its values and driver file back in place, then the aside copy gone; nothing without one.
// Whatever changes the installation does this first (ClaimInstallation), so that a copy a
// stopped setup left never comes back over later changes.
void PutEarlierInstallationBack(void);
// The installation completed: the aside copy is no longer wanted.
void DropEarlierInstallation(void);

#endif
