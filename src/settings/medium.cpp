// The setup medium: where its files are found, and whether an installed copy is one of them.
// Apart from paths.cpp, which every program links: only setup looks at the medium.
#include "paths.h"

DirectoryLookup ProgramFolderLookup;

// The folder of the running program's file, without the last backslash; 0 when its path
// does not fit.
static UINT ProgramFolder(char *buffer, UINT size)
{
    UINT length = GetModuleFileNameA(NULL, buffer, size);

    if (length == 0 || length >= size)
        return 0;
    while (length > 0 && buffer[length - 1] != '\\')
        length--;
    buffer[length > 0 ? length - 1 : 0] = 0;
    return length > 0 ? length - 1 : 0;
}

static BOOL IsFile(const char *path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES && !DirectoryExists(path);
}

BOOL MediumFilePath(char *path, const char *name)
{
    char here[PATH_BUFFER_SIZE];
    char *file;
    DWORD length = GetFullPathNameA(name, sizeof here, here, &file);
    BOOL fits = length > 0 && length < sizeof here;

    // Only a file that is there beside the program is taken from there: a setup that finds
    // its medium nowhere names the current directory's file in its failure.
    if (!(fits && IsFile(here)) && DirectoryFilePath(path, name, ProgramFolderLookup, ProgramFolder) && IsFile(path))
        return TRUE;
    if (!fits) {
        path[0] = 0;
        return FALSE;
    }
    lstrcpyA(path, here);
    return TRUE;
}

// Apart from the stack: frames this large would need a stack probe of the C runtime.
static BYTE CompareBlocks[2][4096];

static BOOL ReadBlock(HANDLE file, BYTE *block, DWORD *read)
{
    return ReadFile(file, block, sizeof CompareBlocks[0], read, NULL);
}

BOOL SameFileBytes(const char *one, const char *other)
{
    HANDLE files[2];
    DWORD read[2];
    BOOL same;

    files[0] = CreateFileA(one, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    files[1] = CreateFileA(other, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    // Files of other lengths part at the block where one of them ends.
    same = files[0] != INVALID_HANDLE_VALUE && files[1] != INVALID_HANDLE_VALUE;
    while (same) {
        same = ReadBlock(files[0], CompareBlocks[0], &read[0]) && ReadBlock(files[1], CompareBlocks[1], &read[1]) &&
               read[0] == read[1];
        for (DWORD i = 0; same && i < read[0]; i++)
            same = CompareBlocks[0][i] == CompareBlocks[1][i];
        if (read[0] == 0)
            break;
    }
    for (int i = 0; i < 2; i++)
        if (files[i] != INVALID_HANDLE_VALUE)
            CloseHandle(files[i]);
    return same;
}
