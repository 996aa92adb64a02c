// The Velmora entry of Control Panel's Add/Remove Programs.
#ifndef VELMORA_UNINSTALL_ENTRY_H
#define VELMORA_UNINSTALL_ENTRY_H

#include <windows.h>
#include "paths.h"

// Room for a path in double quotes and " /S" after it.
enum { UNINSTALL_VALUE_SIZE = PATH_BUFFER_SIZE + 8 };

// Every value of the entry, for the companion programs in folder: DisplayName,
// UninstallString (its REMOVER.EXE in double quotes), QuietUninstallString (the same and
// " /S"), DisplayVersion, Publisher, DisplayIcon (its PADMON.EXE), NoModify and NoRepair;
// TRUE when all were written.
BOOL WriteUninstallEntry(const char *folder);
// The name of each of those values by its index from 0, then NULL.
const char *UninstallEntryValueName(int index);
// TRUE when each of those values is in the key as WriteUninstallEntry writes it for folder,
// type and bytes; values of others beside them do not count.
BOOL UninstallEntryIsAsWritten(const char *folder);
// TRUE when the entry names a remover.
BOOL UninstallEntryPresent(void);
// Deletes every value of the entry, and the key when nothing else is left in it; TRUE when
// the entry is gone.
BOOL DeleteUninstallEntry(void);

#endif
