// The aside copy of an earlier installation that an older setup, stopped while it replaced
// one, may have left.
#ifndef VELMORA_EARLIER_H
#define VELMORA_EARLIER_H

#include "settings.h"

// An older setup wrote the aside key first and deleted it last, so that it marks an aside
// copy as long as any part of one exists.
// TRUE when such an aside copy is there.
BOOL EarlierInstallationAside(void);
// Its values, driver file and static-driver entry back as they were found (a piece that was
// not there is taken away), then the aside copy gone; nothing without one. Whatever changes
// the installation does this first (ClaimInstallation), once any journal is rolled back.
void PutEarlierInstallationBack(void);
// The aside copy deleted, as the remover takes everything away.
void DropEarlierInstallation(void);

#endif
