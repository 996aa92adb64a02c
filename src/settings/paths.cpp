// Bounded paths: every file path setup builds fits a 256-byte buffer or is not built at all;
// the Start-menu folder, and copies and deletions that a read-only medium cannot defeat.
#include "paths.h"
#include "settings.h"

const char *const CompanionProgramFiles[COMPANION_PROGRAM_COUNT] = {
    "PADMON.EXE", "REMOVER.EXE", "ALIGNER.EXE", "TUNER.EXE",
};

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
BOOL DirectoryFilePath(char *path, const char *name, DirectoryLookup lookup, DirectoryLookup system)
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

BOOL DirectoryExists(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL IsFile(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

static BOOL IsUncStart(const char *path)
{
    return (path[0] | 0x20) == 'u' && (path[1] | 0x20) == 'n' && (path[2] | 0x20) == 'c' && path[3] == '\\';
}

void PlainPath(char *path)
{
    char *rest = path;

    if (path[0] == '\\' && path[1] == '\\' && (path[2] == '?' || path[2] == '.') && path[3] == '\\')
        rest = path + 4;
    if (IsUncStart(rest)) {
        // "UNC\server" becomes "\\server" where its C stood.
        rest += 2;
        rest[0] = '\\';
    } else if (!(rest[0] && rest[1] == ':')) {
        return;
    }
    while ((*path++ = *rest++) != 0)
        ;
}

BOOL SamePath(const char *one, const char *other)
{
    char shortOne[PATH_BUFFER_SIZE], shortOther[PATH_BUFFER_SIZE];
    DWORD lengthOne, lengthOther;

    if (lstrcmpiA(one, other) == 0)
        return TRUE;
    lengthOne = GetShortPathNameA(one, shortOne, sizeof shortOne);
    lengthOther = GetShortPathNameA(other, shortOther, sizeof shortOther);
    return lengthOne > 0 && lengthOne < sizeof shortOne && lengthOther > 0 && lengthOther < sizeof shortOther &&
           lstrcmpiA(shortOne, shortOther) == 0;
}

// The shell keeps its folders under these keys from Windows 95 on; a later shell's
// SHGetSpecialFolderPath would spare the reading, but Windows 95 lacks it.
static const char ShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
static const char UserShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// A drive letter and ":\", or "\\server\". A relative path names a place only together with
// the current directory: setup's is the medium, and the remover may be started anywhere.
static BOOL AbsolutePath(const char *path)
{
    char drive = (char)(path[0] | 0x20);

    if (drive >= 'a' && drive <= 'z' && path[1] == ':' && path[2] == '\\')
        return TRUE;
    if (path[0] != '\\' || path[1] != '\\' || path[2] == '\\' || path[2] == 0)
        return FALSE;
    for (path += 3; *path; path++)
        if (*path == '\\')
            return TRUE;
    return FALSE;
}

// A folder value that names an existing directory by an absolute path; one of type
// REG_EXPAND_SZ (as "User Shell Folders" keeps them, "%USERPROFILE%\...") is expanded first.
static BOOL ShellFolder(char *path, HKEY root, const char *key, const char *name)
{
    char value[PATH_BUFFER_SIZE];
    DWORD size = sizeof value - 1, type = 0;
    HKEY folders;
    LONG status;

    path[0] = 0;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &folders) != ERROR_SUCCESS)
        return FALSE;
    status = RegQueryValueExA(folders, name, NULL, &type, (BYTE *)value, &size);
    RegCloseKey(folders);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return FALSE;
    value[size] = 0;
    if (type == REG_SZ) {
        lstrcpynA(path, value, PATH_BUFFER_SIZE);
    } else {
        DWORD length = ExpandEnvironmentStringsA(value, path, PATH_BUFFER_SIZE);
        if (length == 0 || length > PATH_BUFFER_SIZE) {
            path[0] = 0;
            return FALSE;
        }
    }
    return AbsolutePath(path) && DirectoryExists(path);
}

static BOOL ShellProgramsFolder(char *path)
{
    return ShellFolder(path, HKEY_CURRENT_USER, ShellFoldersKey, "Programs")
        || ShellFolder(path, HKEY_CURRENT_USER, UserShellFoldersKey, "Programs")
        || ShellFolder(path, HKEY_LOCAL_MACHINE, ShellFoldersKey, "Common Programs")
        || ShellFolder(path, HKEY_LOCAL_MACHINE, UserShellFoldersKey, "Common Programs");
}

BOOL StartMenuFolderPath(char *path)
{
    char programs[PATH_BUFFER_SIZE];

    // Where the Windows 95 folder is there, it is the one the user's Start menu shows.
    if (WindowsFilePath(programs, START_MENU_PROGRAMS) && DirectoryExists(programs))
        return JoinPath(path, programs, PROGRAMS_FOLDER);
    if (ShellProgramsFolder(programs))
        return JoinPath(path, programs, PROGRAMS_FOLDER);
    return WindowsFilePath(path, START_MENU_FOLDER);
}

// A copy keeps the source's attributes: from a CD, a read-only share or a write-protected
// diskette it would be read-only, and neither a later copy over it nor a removal could
// then replace or delete it.
BOOL CopyWritableFile(const char *source, const char *target)
{
    BOOL copied;

    SetFileAttributesA(target, FILE_ATTRIBUTE_NORMAL);
    copied = CopyFileA(source, target, FALSE);
    if (copied)
        SetFileAttributesA(target, FILE_ATTRIBUTE_NORMAL);
    return copied;
}

BOOL DeleteWritableFile(const char *path)
{
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path) || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
}


BOOL TemporaryFilePath(char *temporary, const char *path)
{
    int length = lstrlenA(path);

    lstrcpynA(temporary, path, PATH_BUFFER_SIZE);
    if (length > 0)
        temporary[length - 1] = '$';
    return length > 0;
}

BOOL MoveIntoPlace(const char *temporary, const char *path)
{
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES && !DeleteWritableFile(path))
        return FALSE;
    return MoveFileA(temporary, path);
}

BOOL ReplaceWritableFile(const char *source, const char *target)
{
    char temporary[PATH_BUFFER_SIZE];

    if (!TemporaryFilePath(temporary, target))
        return FALSE;
    if (CopyWritableFile(source, temporary) && MoveIntoPlace(temporary, target))
        return TRUE;
    DeleteWritableFile(temporary);
    return FALSE;
}
