// The setup medium: where its files are found, and whether an installed copy is one of them.
#ifndef VELMORA_MEDIUM_H
#define VELMORA_MEDIUM_H

#include "paths.h"

// The folder the running program was started from; tests put the medium's here.
extern DirectoryLookup ProgramFolderLookup;

// The setup medium, the folder setup takes the driver and the programs from, chosen once as a
// run of setup starts: the current directory when it holds the driver, as the diskette does
// for a user who runs setup from it; else the folder the program was started from, for a
// setup started by its full path from elsewhere (a login script's current directory is
// usually the Windows directory). Neither counts when it is the system directory or the
// programs' folder, which hold the installed copies.
void ChooseMedium(void);
// A file of the medium, its full path; where no folder holds the medium, both places looked,
// "<file> or <file>", as far as they fit: a name of no file, so that a copy from it fails
// and its log line says where setup looked. FALSE (path empty) when no path fits.
BOOL MediumFilePath(char *path, const char *name);
// TRUE when both files can be read and hold the same bytes.
BOOL SameFileBytes(const char *one, const char *other);

#endif
