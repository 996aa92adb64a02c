// An earlier, completed installation: what this run found of it, kept aside while the run
// replaces it, and put back when the run ends without installing.
#ifndef VELMORA_EARLIER_H
#define VELMORA_EARLIER_H

#include "settings.h"

// What the first load of this run found of an earlier installation, each piece on its own: a
// disabled driver (no entry), a half-removed one (no settings) or a stopped run's leftovers
// are installations all the same, and an unfinished run puts back exactly what it found.
struct FirstLoadRecord {
    BOOL Taken;
    BOOL SettingsFound;
    BOOL DriverFileFound;
    BOOL DriverRegistered;
    PanelSettingsRecord Settings;
};
extern FirstLoadRecord FirstLoad;

// The wizard's load (ReadOrMakePanelSettings), the first of a run remembered.
void LoadPanelSettings(void);
// TRUE when the first load found any piece of an earlier installation.
BOOL EarlierInstallationFound(void);

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
// Its values, driver file and static-driver entry back as they were found (a piece that was
// not there is taken away), then the aside copy gone; nothing without one.
// Whatever changes the installation does this first (ClaimInstallation), so that a copy a
// stopped setup left never comes back over later changes.
void PutEarlierInstallationBack(void);
// The installation completed: the aside copy is no longer wanted.
void DropEarlierInstallation(void);

#endif
