// Keys under HKEY_LOCAL_MACHINE, and records of 32-bit values kept one registry value a field.
#include "registry.h"

BOOL KeyPresent(const char *path)
{
    HKEY key;

    if (OpenKey(path, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    RegCloseKey(key);
    return TRUE;
}

// "software\orrimac" may hold every other Orrimac product's settings, and on Windows 95/98
// deleting it would take them all. A key that cannot be looked into is kept.
void DeleteUnusedKey(const char *path, BOOL valuesToo)
{
    HKEY key;
    DWORD subkeys = 1, values = 0;

    if (OpenKey(path, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    if (RegQueryInfoKeyA(key, NULL, NULL, NULL, &subkeys, NULL, NULL, &values, NULL, NULL, NULL,
                         NULL) != ERROR_SUCCESS)
        subkeys = 1;
    RegCloseKey(key);
    if (subkeys == 0 && (!valuesToo || values == 0))
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, path);
}

void DefaultRecord(const RecordField *fields, int count, void *record)
{
    for (const RecordField *field = fields; field < fields + count; field++)
        *FieldIn(record, field) = field->Default;
}

void ReadRecord(HKEY key, const RecordField *fields, int count, void *record)
{
    for (const RecordField *field = fields; field < fields + count; field++) {
        DWORD size = 4;
        if (RegQueryValueExA(key, field->Name, NULL, NULL, (BYTE *)FieldIn(record, field), &size) != ERROR_SUCCESS)
            *FieldIn(record, field) = field->Default;
    }
}

BOOL WriteRecord(HKEY key, const RecordField *fields, int count, const void *record)
{
    BOOL written = TRUE;

    for (const RecordField *field = fields; field < fields + count; field++)
        if (!WriteField(key, field, FieldIn(record, field)))
            written = FALSE;
    return written;
}

BOOL AnyFieldPresent(HKEY key, const RecordField *fields, int count)
{
    BOOL present = FALSE;

    for (const RecordField *field = fields; field < fields + count; field++)
        if (RegQueryValueExA(key, field->Name, NULL, NULL, NULL, NULL) == ERROR_SUCCESS)
            present = TRUE;
    return present;
}

void DeleteFields(HKEY key, const RecordField *fields, int count)
{
    for (const RecordField *field = fields; field < fields + count; field++)
        RegDeleteValueA(key, field->Name);
}
