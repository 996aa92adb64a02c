// Bounded paths: every file path setup builds fits a 256-byte buffer or is not built at all.
#include "paths.h"

DirectoryLookup SystemDirectoryLookup;
DirectoryLookup WindowsDirectoryLookup;

BOOL JoinPath(char *path, const char *directory, const char *name)
{
    int directoryLength = lstrlenA(directory);
    BOOL separator = directoryLength == 0 || directory[directoryLength - 1] != '\\';

    if (directoryLength + (separator ? 1 : 0) + lstrlenA(name) + 1 > PATH_BUFFER_SIZE) {
        path[0] = 0;
        return FALSE;
    }
    if (path != directory)
        lstrcpynA(path, directory, PATH_BUFFER_SIZE);
    if (separator)
        lstrcatA(path, "\\");
    lstrcatA(path, name);
    return TRUE;
}

// GetSystemDirectoryA and GetWindowsDirectoryA report a directory too long for the buffer by
// returning the size they would need, and 0 on failure; neither leaves a path to use.
static BOOL DirectoryFilePath(char *path, const char *name, DirectoryLookup lookup, DirectoryLookup system)
{
    char directory[PATH_BUFFER_SIZE];
    UINT length = (lookup ? lookup : system)(directory, PATH_BUFFER_SIZE);

    if (length == 0 || length >= PATH_BUFFER_SIZE) {
        path[0] = 0;
        return FALSE;
    }
    return JoinPath(path, directory, name);
}

static UINT SystemDirectory(char *buffer, UINT size)
{
    return GetSystemDirectoryA(buffer, size);
}

static UINT WindowsDirectory(char *buffer, UINT size)
{
    return GetWindowsDirectoryA(buffer, size);
}

BOOL SystemFilePath(char *path, const char *name)
{
    return DirectoryFilePath(path, name, SystemDirectoryLookup, SystemDirectory);
}

BOOL WindowsFilePath(char *path, const char *name)
{
    return DirectoryFilePath(path, name, WindowsDirectoryLookup, WindowsDirectory);
}
