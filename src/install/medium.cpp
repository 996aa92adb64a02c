// The setup medium: where its files are found, and whether an installed copy is one of them.
#include "medium.h"
#include "settings.h"

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

// The two places looked, the current directory and the program's folder, and which of them
// is the medium (2 for neither).
static char Looked[2][PATH_BUFFER_SIZE];
static int Chosen;

// A folder holding the driver that is not one of the two that hold installed copies: taken
// from either, the installed files would be compared with themselves and never replaced.
static BOOL HoldsMedium(const char *folder)
{
    char driver[PATH_BUFFER_SIZE], installed[PATH_BUFFER_SIZE];

    return folder[0] && JoinPath(driver, folder, DRIVER_FILE_NAME) && IsFile(driver) &&
           !(SystemFilePath(installed, DRIVER_FILE_NAME) && SamePath(driver, installed)) &&
           !(StartMenuFolderPath(installed) && JoinPath(installed, installed, DRIVER_FILE_NAME) &&
             SamePath(driver, installed));
}

// A folder a lookup reported with its length, in plain form; empty when it did not fit.
static void LookUp(char *folder, UINT length)
{
    if (length == 0 || length >= PATH_BUFFER_SIZE)
        folder[0] = 0;
    PlainPath(folder);
}

void ChooseMedium(void)
{
    char *name;

    // The full path of "." is the current directory: one import fewer than asking for it.
    LookUp(Looked[0], GetFullPathNameA(".", PATH_BUFFER_SIZE, Looked[0], &name));
    LookUp(Looked[1], (ProgramFolderLookup ? ProgramFolderLookup : ProgramFolder)(Looked[1], PATH_BUFFER_SIZE));
    for (Chosen = 0; Chosen < 2 && !HoldsMedium(Looked[Chosen]); Chosen++)
        ;
}

BOOL MediumFilePath(char *path, const char *name)
{
    char here[PATH_BUFFER_SIZE], beside[PATH_BUFFER_SIZE], both[2 * PATH_BUFFER_SIZE + 8];

    if (Chosen < 2)
        return JoinPath(path, Looked[Chosen], name);
    if (!JoinPath(here, Looked[0], name) || !JoinPath(beside, Looked[1], name)) {
        path[0] = 0;
        return FALSE;
    }
    wsprintfA(both, "%s or %s", here, beside);
    lstrcpynA(path, both, PATH_BUFFER_SIZE);
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
