// Bounded paths: every file path setup builds fits a 256-byte buffer or is not built at all;
// the Start-menu folder, and copies and deletions that a read-only medium cannot defeat.
#ifndef VELMORA_PATHS_H
#define VELMORA_PATHS_H

#include <windows.h>

enum { PATH_BUFFER_SIZE = 256 };

// Puts directory, one backslash and name into path (PATH_BUFFER_SIZE bytes). When the
// result with its terminating zero would not fit, path is left empty and the result is
// FALSE. path may be the very buffer that holds directory.
BOOL JoinPath(char *path, const char *directory, const char *name);

// <system directory>\name and <Windows directory>\name, FALSE (path empty) when the
// directory cannot be had or the whole does not fit.
BOOL SystemFilePath(char *path, const char *name);
BOOL WindowsFilePath(char *path, const char *name);

// Where the two directories come from: NULL means the system's own lookup. A lookup has the
// form of GetSystemDirectoryA; tests put one here to see how a directory too long for the
// buffer is handled, since no real machine lets them make one.
typedef UINT (*DirectoryLookup)(char *buffer, UINT size);
extern DirectoryLookup SystemDirectoryLookup;
extern DirectoryLookup WindowsDirectoryLookup;
// name in the directory lookup reports, or system reports when lookup is NULL; FALSE (path
// empty) when there is none or the whole does not fit.
BOOL DirectoryFilePath(char *path, const char *name, DirectoryLookup lookup, DirectoryLookup system);

// The plain form of a full path: "\\?\" or "\\.\" taken off a drive's path, and a share's path
// in its NT form ("UNC\server\share\...", as Wine's GetModuleFileNameA gives a program started
// from a share, or "\\?\UNC\server\share\...") read as "\\server\share\...". In place; any other
// path, a device's included, is left as it is.
void PlainPath(char *path);

// Two full paths of one file: any case, long or short names (only a file that exists has a
// short name, and only one that exists can be lost).
BOOL SamePath(const char *one, const char *other);

// The companion programs' folder, where setup puts them and the remover and the monitor look:
// VELMORA below <Windows directory>\START MENU\PROGRAMS where that exists (Windows 9x without
// user profiles), else below the Programs folder the shell names, the user's before all
// users'. With neither, the Windows 9x path, so that its copies fail and say so. FALSE
// (path empty) when no path fits.
BOOL StartMenuFolderPath(char *path);

BOOL DirectoryExists(const char *path);
// A folder of the file's name is no file.
BOOL IsFile(const char *path);
// A copy that overwrites and ends with normal attributes, whatever the source had; TRUE when
// copied.
BOOL CopyWritableFile(const char *source, const char *target);
// Deletes a file even when it is read-only; TRUE when the file is gone.
BOOL DeleteWritableFile(const char *path);

// A file replaced whole or not at all: written under a name of its own beside it, path with
// its last letter '$' (TemporaryFilePath, FALSE when path is empty), then renamed into its
// place (MoveIntoPlace, which Windows 95 can only do with nothing in the way). A stop never
// leaves part of a file under its name. TRUE when replaced; nothing is left beside it.
BOOL TemporaryFilePath(char *temporary, const char *path);
BOOL MoveIntoPlace(const char *temporary, const char *path);
BOOL ReplaceWritableFile(const char *source, const char *target);

#endif
