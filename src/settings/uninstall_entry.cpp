// The Velmora entry of Control Panel's Add/Remove Programs.
#include "uninstall_entry.h"
#include "settings.h"
#include "version.h"

// What a value holds: text composed with the remover's path or the icon's, or the flag 1.
enum EntryContent { ENTRY_TEXT, ENTRY_ICON, ENTRY_FLAG };

struct EntryValue {
    const char *Name;
    const char *Format;
    int Content;
};

// Windows 95 reads the first two; later Windows, Wine's panel and inventory tools the rest.
// Windows runs the strings as command lines, and the path may hold blanks. Every write,
// comparison and deletion walks this table.
static const EntryValue EntryValues[] = {
    { "DisplayName", UNINSTALL_NAME, ENTRY_TEXT },
    { "UninstallString", "\"%s\"", ENTRY_TEXT },
    { "QuietUninstallString", "\"%s\" /S", ENTRY_TEXT },
    { "DisplayVersion", VELMORA_VERSION, ENTRY_TEXT },
    { "Publisher", VELMORA_COMPANY, ENTRY_TEXT },
    { "DisplayIcon", "%s", ENTRY_ICON },
    { "NoModify", NULL, ENTRY_FLAG },
    { "NoRepair", NULL, ENTRY_FLAG },
};
enum { ENTRY_VALUE_COUNT = sizeof EntryValues / sizeof EntryValues[0] };

// The value as written for the programs in folder, in data: its type and size. The strings
// name the remover there, the icon the panel monitor beside it.
static DWORD ComposeValue(const EntryValue *value, const char *folder, BYTE *data, DWORD *type)
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
    return (DWORD)wsprintfA((char *)data, value->Format, program) + 1;
}

BOOL WriteUninstallEntry(const char *folder)
{
    BYTE data[UNINSTALL_VALUE_SIZE];
    DWORD type, size;
    HKEY key;
    BOOL written = TRUE;

    if (CreateKey(UNINSTALL_KEY, &key, NULL) != ERROR_SUCCESS)
        return FALSE;
    for (const EntryValue *value = EntryValues; value < EntryValues + ENTRY_VALUE_COUNT; value++) {
        size = ComposeValue(value, folder, data, &type);
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
        size = ComposeValue(value, folder, wanted, &wantedType);
        heldSize = sizeof held;
        same = RegQueryValueExA(key, value->Name, NULL, &heldType, held, &heldSize) == ERROR_SUCCESS &&
               heldType == wantedType && heldSize == size;
        for (DWORD i = 0; i < size && same; i++)
            same = held[i] == wanted[i];
    }
    RegCloseKey(key);
    return same;
}

BOOL UninstallEntryPresent(void)
{
    HKEY key;
    LONG status;

    if (OpenKey(UNINSTALL_KEY, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    status = RegQueryValueExA(key, EntryValues[1].Name, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
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
