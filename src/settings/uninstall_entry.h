// The Velmora entry of Control Panel's Add/Remove Programs.
#ifndef VELMORA_UNINSTALL_ENTRY_H
#define VELMORA_UNINSTALL_ENTRY_H

#include <windows.h>
#include "paths.h"

// Room for a path in double quotes and " /S" after it.
enum { UNINSTALL_VALUE_COUNT = 3, UNINSTALL_VALUE_SIZE = PATH_BUFFER_SIZE + 8 };

// DisplayName, UninstallString (remover, the copied REMOVER.EXE, in double quotes) and
// QuietUninstallString (the same followed by " /S"); TRUE when all three were written.
BOOL WriteUninstallEntry(const char *remover);
// The entry's value names, and their values for remover, as WriteUninstallEntry writes them.
extern const char *const UninstallValueNames[UNINSTALL_VALUE_COUNT];
void ComposeUninstallEntry(const char *remover, char values[UNINSTALL_VALUE_COUNT][UNINSTALL_VALUE_SIZE]);
// TRUE when the entry names a remover.
BOOL UninstallEntryPresent(void);
// Deletes the three values, and the key when nothing else is left in it; TRUE when the
// entry is gone.
BOOL DeleteUninstallEntry(void);

#endif
