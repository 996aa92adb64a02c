// The Velmora entry of Control Panel's Add/Remove Programs.
#ifndef VELMORA_UNINSTALL_ENTRY_H
#define VELMORA_UNINSTALL_ENTRY_H

#include <windows.h>
#include "paths.h"

// Room for a path in double quotes and " /S" after it.
enum { UNINSTALL_VALUE_SIZE = PATH_BUFFER_SIZE + 8 };

// Every value of the entry, for the companion programs in folder: DisplayName,
// UninstallString (its REMOVER.EXE in double quotes), QuietUninstallString (the same and
// " /S"), DisplayVersion, Publisher, DisplayIcon (its PADMON.EXE), NoModify and NoRepair,
// and Installed, when the installation was made ("2026-12-08 10:42:17", as given); TRUE when
// all were written.
BOOL WriteUninstallEntry(const char *folder, const char *installed);
// The name of each of those values by its index from 0, then NULL.
const char *UninstallEntryValueName(int index);
// TRUE when each of those values but Installed is in the key as WriteUninstallEntry writes
// it for folder, type and bytes; values of others beside them do not count.
BOOL UninstallEntryIsAsWritten(const char *folder);
// When the installation was made, as the entry keeps it, into time (size bytes); FALSE (time
// empty) when the entry keeps none.
BOOL UninstallEntryTime(char *time, DWORD size);
// The folder of the programs the entry names, which may be another user's Programs folder;
// FALSE (folder empty or not a path) when there is none.
BOOL UninstallEntryFolder(char *folder);
// TRUE when the entry names a remover.
BOOL UninstallEntryPresent(void);
// Deletes every value of the entry, and the key when nothing else is left in it; TRUE when
// the entry is gone.
BOOL DeleteUninstallEntry(void);

#endif
