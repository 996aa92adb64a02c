// Removal of what a cancelled setup stored.
#ifndef VELMORA_REMOVAL_H
#define VELMORA_REMOVAL_H

// The settings and the driver file go; over an earlier, completed installation, that
// installation comes back instead.
void RemoveInstallation(void);

#endif
