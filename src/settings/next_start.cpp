// Deletions Windows carries out at its next start: the NUL= lines of WININIT.INI's [rename]
// section, and on NT the delayed deletions of PendingFileRenameOperations.
#include "next_start.h"
#include "journal.h"
#include "paths.h"
#include "settings.h"

// Windows 95 runs WININIT.EXE from DOS before it starts, and deletes each file named by a
// NUL= line of the [rename] section; it knows only short names, and a name that appears
// twice would be dropped by a plain profile write, so the section is rewritten whole.
static const char WininitFile[] = "WININIT.INI";
static const char WininitSection[] = "rename";
enum { WININIT_SECTION_SIZE = 4096 };
// Apart from the stack: the programs are built without the probe that a frame of a page needs.
// One at a time: adding a line and taking lines back never nest.
static char WininitText[WININIT_SECTION_SIZE];
// Where MoveFileEx leaves a deletion for NT's next start: pairs of a file (in the form
// "\??\C:\...") and an empty name to move it to.
static const char SessionManagerKey[] = "System\\CurrentControlSet\\Control\\Session Manager";
static const char PendingValue[] = "PendingFileRenameOperations";
static const char NtPrefix[] = "\\??\\";

// Both starts here are short: "NUL=" and "\??\".
static BOOL StartsWith(const char *text, const char *start)
{
    char head[8];

    lstrcpynA(head, text, lstrlenA(start) + 1);
    return lstrcmpiA(head, start) == 0;
}

// The section as a run of "key=value" strings ending in an empty one; FALSE when it filled
// the buffer and may have been cut, since writing it back would lose lines.
static BOOL ReadWininitSection(char *section)
{
    section[0] = section[1] = 0;
    return GetPrivateProfileSectionA(WininitSection, section, WININIT_SECTION_SIZE, WininitFile) <
           WININIT_SECTION_SIZE - 2;
}

static char *SectionEnd(char *section)
{
    while (*section)
        section += lstrlenA(section) + 1;
    return section;
}

BOOL DeleteAtNextStart(const char *path)
{
    char line[4 + PATH_BUFFER_SIZE];
    char shortPath[PATH_BUFFER_SIZE];
    char *section = WininitText;
    DWORD length = GetShortPathNameA(path, shortPath, sizeof shortPath);

    if (length == 0 || length >= sizeof shortPath || !ReadWininitSection(section))
        return FALSE;
    lstrcpyA(line, "NUL=");
    lstrcatA(line, shortPath);
    for (char *present = section; *present; present += lstrlenA(present) + 1)
        if (lstrcmpiA(present, line) == 0)
            return TRUE;
    char *end = SectionEnd(section);
    if ((end - section) + lstrlenA(line) + 2 > WININIT_SECTION_SIZE)
        return FALSE;
    lstrcpyA(end, line);
    end[lstrlenA(line) + 1] = 0;
    return WritePrivateProfileSectionA(WininitSection, section, WininitFile);
}

// The installed files whose full paths fit.
struct InstalledFiles {
    int count;
    char path[1 + COMPANION_PROGRAM_COUNT][PATH_BUFFER_SIZE];
};

// A name as WININIT or NT's start takes it, made a full path: '/' read as '\', a name without
// a drive on the Windows directory's drive, from its root (WININIT runs before Windows, from
// that drive, whatever setup's current directory), "." and ".." resolved. FALSE when it does
// not fit.
static BOOL ResolveName(const char *named, char *full)
{
    char path[PATH_BUFFER_SIZE + 3], *name;
    char *p = path + 3;
    DWORD length;

    if (lstrlenA(named) >= PATH_BUFFER_SIZE)
        return FALSE;
    lstrcpyA(p, named);
    for (char *c = p; *c; c++)
        if (*c == '/')
            *c = '\\';
    if (!(p[0] && p[1] == ':') && !(p[0] == '\\' && p[1] == '\\')) {
        if (p[0] != '\\')
            *--p = '\\';
        if (!WindowsFilePath(full, ""))
            return FALSE;
        *--p = ':';
        *--p = full[0];
    }
    length = GetFullPathNameA(p, PATH_BUFFER_SIZE, full, &name);
    return length > 0 && length < PATH_BUFFER_SIZE;
}

// A name given long, short, or with parts of each, in any of the forms ResolveName reads, compared
// as Windows compares names. A name that cannot be resolved may be any file: it counts as one
// of them.
static BOOL NamesInstalledFile(const InstalledFiles *files, const char *named)
{
    char full[PATH_BUFFER_SIZE];

    if (!ResolveName(named, full))
        return TRUE;
    for (int i = 0; i < files->count; i++)
        if (SamePath(full, files->path[i]))
            return TRUE;
    return FALSE;
}

// Copies the string at from to to, which lies at or before it, and returns the place after it.
static char *MoveString(char *to, const char *from)
{
    while ((*to++ = *from++) != 0)
        ;
    return to;
}

// Any line that names an installed file makes *due; with takeBack the lines go.
static BOOL KeepInWininit(const InstalledFiles *files, BOOL takeBack, BOOL *due)
{
    char *section = WininitText;
    char *kept = section;
    BOOL dropped = FALSE;

    if (!ReadWininitSection(section))
        return FALSE;
    for (char *line = section; *line; ) {
        char *next = line + lstrlenA(line) + 1;
        if (StartsWith(line, "NUL=") && NamesInstalledFile(files, line + 4))
            dropped = TRUE;
        else
            kept = MoveString(kept, line);
        line = next;
    }
    *kept = 0;
    *due |= dropped;
    return !dropped || !takeBack || WritePrivateProfileSectionA(WininitSection, section, WininitFile);
}

// The value's pairs are walked by its size: the empty name of a deletion is two zero bytes
// in a row, which would otherwise read as the list's end.
static BOOL DropPendingPairs(char *data, DWORD *size, const InstalledFiles *files)
{
    char *end = data + *size, *kept = data;
    BOOL dropped = FALSE;

    for (char *source = data; source < end && *source; ) {
        char *target = source + lstrlenA(source) + 1;
        char *next = target < end ? target + lstrlenA(target) + 1 : end;
        const char *named = StartsWith(source, NtPrefix) ? source + lstrlenA(NtPrefix) : source;
        if (target < end && *target == 0 && NamesInstalledFile(files, named)) {
            dropped = TRUE;
        } else {
            kept = MoveString(kept, source);
            kept = target < end ? MoveString(kept, target) : kept;
        }
        source = next;
    }
    *kept++ = 0;
    *size = (DWORD)(kept - data);
    return dropped;
}

static BOOL KeepInPendingOperations(const InstalledFiles *files, BOOL takeBack, BOOL *due)
{
    HKEY key;
    DWORD type, size = 0;
    char *data;
    BOOL kept = TRUE;

    // No key or no value: nothing is pending there.
    if (OpenKey(SessionManagerKey, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return TRUE;
    if (RegQueryValueExA(key, PendingValue, NULL, &type, NULL, &size) != ERROR_SUCCESS || type != REG_MULTI_SZ) {
        RegCloseKey(key);
        return TRUE;
    }
    // Two zero bytes more, so that whatever the value holds its last string ends.
    data = (char *)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size + 2);
    if (!data || RegQueryValueExA(key, PendingValue, NULL, &type, (BYTE *)data, &size) != ERROR_SUCCESS) {
        kept = FALSE;
    } else if (DropPendingPairs(data, &size, files)) {
        *due = TRUE;
        if (takeBack)
            kept = size <= 1 ? RegDeleteValueA(key, PendingValue) == ERROR_SUCCESS
                             : RegSetValueExA(key, PendingValue, 0, REG_MULTI_SZ, (const BYTE *)data, size) == ERROR_SUCCESS;
    }
    if (data)
        HeapFree(GetProcessHeap(), 0, data);
    RegCloseKey(key);
    return kept;
}

static const char *WalkInstalledFiles(const char *folder, BOOL takeBack, BOOL *due)
{
    InstalledFiles files;

    files.count = SystemFilePath(files.path[0], DRIVER_FILE_NAME) ? 1 : 0;
    for (int i = 0; i < COMPANION_PROGRAM_COUNT; i++)
        if (folder[0] && JoinPath(files.path[files.count], folder, CompanionProgramFiles[i]))
            files.count++;
    if (!KeepInWininit(&files, takeBack, due))
        return "WININIT.INI";
    return KeepInPendingOperations(&files, takeBack, due) ? NULL : "Registry";
}

// The profile calls find WININIT.INI in the Windows directory.
BOOL JournalNextStartLists(void)
{
    char path[PATH_BUFFER_SIZE];

    return WindowsFilePath(path, WininitFile) && JournalFile(path) && JournalValue(SessionManagerKey, PendingValue);
}

const char *KeepInstalledFilesAtNextStart(const char *folder)
{
    BOOL due = FALSE;

    return WalkInstalledFiles(folder, TRUE, &due);
}

// A list that cannot be read may hold them.
BOOL InstalledFilesDueAtNextStart(const char *folder)
{
    BOOL due = FALSE;

    return WalkInstalledFiles(folder, FALSE, &due) != NULL || due;
}
