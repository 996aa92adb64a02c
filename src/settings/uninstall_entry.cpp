// The Velmora entry of Control Panel's Add/Remove Programs.
#include "uninstall_entry.h"
#include "settings.h"
#include "version.h"

// What a value holds: text composed with the remover's path or the icon's, the flag 1, or when
// the installation was made.
enum EntryContent { ENTRY_TEXT, ENTRY_ICON, ENTRY_FLAG, ENTRY_TIME };

struct EntryValue {
    const char *Name;
    const char *Format;
    int Content;
};

// Windows 95 reads the first two; later Windows, Wine's panel and inventory tools the rest.
// Windows runs the strings as command lines, and the path may hold blanks. Every write,
// comparison and deletion walks this table. The time the installation was made goes with it,
// for a replay that finds it in place to report; it is no part of the comparison.
static const EntryValue EntryValues[] = {
    { "DisplayName", UNINSTALL_NAME, ENTRY_TEXT },
    { "UninstallString", "\"%s\"", ENTRY_TEXT },
    { "QuietUninstallString", "\"%s\" /S", ENTRY_TEXT },
    { "DisplayVersion", VELMORA_VERSION, ENTRY_TEXT },
    { "Publisher", VELMORA_COMPANY, ENTRY_TEXT },
    { "DisplayIcon", "%s", ENTRY_ICON },
    { "NoModify", NULL, ENTRY_FLAG },
    { "NoRepair", NULL, ENTRY_FLAG },
    { "Installed", "%s", ENTRY_TIME },
};
enum { ENTRY_VALUE_COUNT = sizeof EntryValues / sizeof EntryValues[0], ICON_VALUE = 5, TIME_VALUE = 8 };

// The value as written for the programs in folder, made at installed, in data: its type and
// size. The strings name the remover there, the icon the panel monitor beside it.
static DWORD ComposeValue(const EntryValue *value, const char *folder, const char *installed, BYTE *data,
                          DWORD *type)
{
    char program[PATH_BUFFER_SIZE];

    if (value->Content == ENTRY_FLAG) {
        *type = REG_DWORD;
        *(DWORD *)data = 1;
        return 4;
    }
    JoinPath(program, folder, value->Content == ENTRY_ICON ? CompanionProgramFiles[PADMON_PROGRAM]
                                                           : CompanionProgramFiles[REMOVER_PROGRAM]);
    *type = REG_SZ;
    return (DWORD)wsprintfA((char *)data, value->Format, value->Content == ENTRY_TIME ? installed : program) + 1;
}

BOOL WriteUninstallEntry(const char *folder, const char *installed)
{
    BYTE data[UNINSTALL_VALUE_SIZE];
    DWORD type, size;
    HKEY key;
    BOOL written = TRUE;

    if (CreateKey(UNINSTALL_KEY, &key, NULL) != ERROR_SUCCESS)
        return FALSE;
    for (const EntryValue *value = EntryValues; value < EntryValues + ENTRY_VALUE_COUNT; value++) {
        size = ComposeValue(value, folder, installed, data, &type);
        if (RegSetValueExA(key, value->Name, 0, type, data, size) != ERROR_SUCCESS)
            written = FALSE;
    }
    RegCloseKey(key);
    return written;
}

const char *UninstallEntryValueName(int index)
{
    return index < ENTRY_VALUE_COUNT ? EntryValues[index].Name : NULL;
}

BOOL UninstallEntryIsAsWritten(const char *folder)
{
    BYTE wanted[UNINSTALL_VALUE_SIZE], held[UNINSTALL_VALUE_SIZE];
    DWORD wantedType, heldType, size, heldSize;
    HKEY key;
    BOOL same = TRUE;

    if (OpenKey(UNINSTALL_KEY, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    for (const EntryValue *value = EntryValues; value < EntryValues + ENTRY_VALUE_COUNT && same; value++) {
        if (value->Content == ENTRY_TIME)
            continue;
        size = ComposeValue(value, folder, "", wanted, &wantedType);
        heldSize = sizeof held;
        same = RegQueryValueExA(key, value->Name, NULL, &heldType, held, &heldSize) == ERROR_SUCCESS &&
               heldType == wantedType && heldSize == size;
        for (DWORD i = 0; i < size && same; i++)
            same = held[i] == wanted[i];
    }
    RegCloseKey(key);
    return same;
}

// A text value of the entry; FALSE (text empty) when it is not one. A value stored without
// its terminating zero loses its last character rather than being read beyond.
static BOOL ReadEntryText(const char *name, char *text, DWORD size)
{
    DWORD type = 0;
    HKEY key;
    LONG status;

    text[0] = 0;
    if (OpenKey(UNINSTALL_KEY, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    status = RegQueryValueExA(key, name, NULL, &type, (BYTE *)text, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ || size == 0) {
        text[0] = 0;
        return FALSE;
    }
    text[size - 1] = 0;
    return TRUE;
}

// The icon's path without its last backslash and name; a value without one names no folder.
BOOL UninstallEntryFolder(char *folder)
{
    char *last = folder;

    ReadEntryText(EntryValues[ICON_VALUE].Name, folder, PATH_BUFFER_SIZE);
    for (char *p = folder; *p; p++)
        if (*p == '\\')
            last = p;
    *last = 0;
    return folder[0] != 0;
}

BOOL UninstallEntryTime(char *time, DWORD size)
{
    return ReadEntryText(EntryValues[TIME_VALUE].Name, time, size);
}

// Windows runs the entry's remover, so only a remover's path counts.
BOOL UninstallEntryPresent(void)
{
    char remover[UNINSTALL_VALUE_SIZE];

    return ReadEntryText(EntryValues[1].Name, remover, sizeof remover);
}

BOOL DeleteUninstallEntry(void)
{
    HKEY key;

    if (OpenKey(UNINSTALL_KEY, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        for (const EntryValue *value = EntryValues; value < EntryValues + ENTRY_VALUE_COUNT; value++)
            RegDeleteValueA(key, value->Name);
        RegCloseKey(key);
        DeleteUnusedKey(UNINSTALL_KEY, TRUE);
    }
    return !UninstallEntryPresent();
}
