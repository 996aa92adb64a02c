// Deletions Windows carries out at its next start: the NUL= lines of WININIT.INI's [rename]
// section, and on NT the delayed deletions of PendingFileRenameOperations.
#ifndef VELMORA_NEXT_START_H
#define VELMORA_NEXT_START_H

#include <windows.h>

// Hands a file that cannot go now to WININIT.INI; TRUE when a line names it.
BOOL DeleteAtNextStart(const char *path);

// Takes back every deletion at the next start of an installed file: the driver in the
// system directory and the four programs in folder ("" for none). NULL, or what could not
// be rewritten: "WININIT.INI" or "Registry".
const char *KeepInstalledFilesAtNextStart(const char *folder);
// Both lists recorded in the journal as they are now; TRUE when they are.
BOOL JournalNextStartLists(void);
// TRUE when any of those files is due for deletion at the next start, by any spelling of its
// name ('/' for '\', no drive, "..", long or short names; a name too long to resolve counts),
// or the lists cannot be read; nothing is changed.
BOOL InstalledFilesDueAtNextStart(const char *folder);

#endif
