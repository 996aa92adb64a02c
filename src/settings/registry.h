// Keys under HKEY_LOCAL_MACHINE, and records of 32-bit values kept one registry value a field.
// The helpers of one field are inline, a single call each; the loops over a whole record are
// plain functions, inlined or not as the link's optimizer finds shorter.
#ifndef VELMORA_REGISTRY_H
#define VELMORA_REGISTRY_H

#include <windows.h>

// One field of a record: its value name, the value it takes when its own cannot be read,
// and its byte offset in the record. Defaults and offsets are small, and the table is
// carried by every program.
struct RecordField {
    const char *Name;
    WORD Default;
    WORD Offset;
};

static inline DWORD *FieldIn(const void *record, const RecordField *field)
{
    return (DWORD *)((const BYTE *)record + field->Offset);
}

// RegOpenKeyExA's status; RegCreateKeyExA's, with a non-volatile key open for everything
// (disposition may be NULL).
static inline LONG OpenKey(const char *path, REGSAM access, HKEY *key)
{
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, access, key);
}

static inline LONG CreateKey(const char *path, HKEY *key, DWORD *disposition)
{
    return RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL,
                           key, disposition);
}

// TRUE when the key can be opened for reading.
BOOL KeyPresent(const char *path);
// Deletes the key only when it is seen to hold no subkeys (and, with valuesToo, no values
// either): Windows 95/98 RegDeleteKey takes a whole tree with it.
void DeleteUnusedKey(const char *path, BOOL valuesToo);

static inline BOOL WriteField(HKEY key, const RecordField *field, const DWORD *value)
{
    return RegSetValueExA(key, field->Name, 0, REG_DWORD, (const BYTE *)value, 4) == ERROR_SUCCESS;
}

// One value of exactly four bytes, whatever the type: ERROR_SUCCESS, or why not:
// ERROR_FILE_NOT_FOUND when it is not there, ERROR_INVALID_DATA for another size, which
// holds no number, only what value held before.
static inline LONG ReadField(HKEY key, const RecordField *field, DWORD *value)
{
    DWORD size = sizeof *value;
    LONG status = RegQueryValueExA(key, field->Name, NULL, NULL, (BYTE *)value, &size);

    return status == ERROR_SUCCESS && size != sizeof *value ? ERROR_INVALID_DATA : status;
}

void DefaultRecord(const RecordField *fields, int count, void *record);
// Every field as the loader reads it. The stored type is not examined: a shorter value
// fills only the low bytes, a longer one fails with ERROR_MORE_DATA and falls back to the
// default, as does one that cannot be read.
void ReadRecord(HKEY key, const RecordField *fields, int count, void *record);
// Every field in table order, going on past a failure; TRUE when all were written.
BOOL WriteRecord(HKEY key, const RecordField *fields, int count, const void *record);
// TRUE when any of the fields is still there. Every one is looked at.
BOOL AnyFieldPresent(HKEY key, const RecordField *fields, int count);
void DeleteFields(HKEY key, const RecordField *fields, int count);

#endif
