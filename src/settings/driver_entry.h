// The driver's entry for every start of Windows.
#ifndef VELMORA_DRIVER_ENTRY_H
#define VELMORA_DRIVER_ENTRY_H

#include <windows.h>

// TRUE when the entry was written.
BOOL RegisterStaticDriver(void);
BOOL StaticDriverRegistered(void);
// TRUE when the entry is as RegisterStaticDriver writes it, naming the driver.
BOOL StaticDriverEntryIsOurs(void);
// Deletes the entry, and its key when nothing that someone else put there is left in it.
void UnregisterStaticDriver(void);

#endif
