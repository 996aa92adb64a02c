// The Velmora entry of Control Panel's Add/Remove Programs.
#ifndef VELMORA_UNINSTALL_ENTRY_H
#define VELMORA_UNINSTALL_ENTRY_H

#include <windows.h>
#include "paths.h"

// Room for a path in double quotes and " /S" after it.
enum { UNINSTALL_VALUE_SIZE = PATH_BUFFER_SIZE + 8 };

// Every value of the entry, for remover (the copied REMOVER.EXE): DisplayName,
// UninstallString (remover in double quotes), QuietUninstallString (the same and " /S"),
// DisplayVersion, Publisher, DisplayIcon (PADMON.EXE beside the remover), NoModify and
// NoRepair; TRUE when all were written.
BOOL WriteUninstallEntry(const char *remover);
// TRUE when each of those values is in the key as WriteUninstallEntry writes it for remover,
// type and bytes; values of others beside them do not count.
BOOL UninstallEntryIsAsWritten(const char *remover);
// TRUE when the entry names a remover.
BOOL UninstallEntryPresent(void);
// Deletes every value of the entry, and the key when nothing else is left in it; TRUE when
// the entry is gone.
BOOL DeleteUninstallEntry(void);

#endif
