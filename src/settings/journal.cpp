// The one journal of what a run changes, written ahead, and its roll-back.
//
// The journal is a run of entries, each the state of one piece as the run found it:
//   DWORD kind, DWORD size, size bytes of body, DWORD check (over kind, size and body),
// the body being the piece's path and a zero, a value's name and a zero (empty for a file or
// a folder), DWORD present, DWORD word, DWORD type, then the bytes. A value's word is the
// number of its key's last levels that were not there; a file's its attributes. An entry is
// appended and flushed before its piece changes, so an entry cut short by a stop, which fails
// its check, stands for a change never made.
#include "journal.h"
#include "paths.h"
#include "registry.h"

enum PieceKind { PIECE_VALUE = 1, PIECE_FILE, PIECE_FOLDER };
enum { ENTRY_HEAD = 8, ENTRY_OVERHEAD = 12 };

// The journal in memory: what was on disk when the round began, then the round's entries,
// all written at its end; the whole journal again for its roll-back. Apart from the stack and
// the heap: the programs and the driver of a diskette's medium fit many times over, and a
// zeroed area costs a program's file nothing.
enum { JOURNAL_ROOM = 512 * 1024 };
static BYTE Entries[JOURNAL_ROOM];
static DWORD EntriesUsed, EntryBegins;

static DWORD ReadDword(const BYTE *at)
{
    return *(const DWORD *)at;
}

static void PutDword(DWORD value)
{
    *(DWORD *)(Entries + EntriesUsed) = value;
    EntriesUsed += 4;
}

static void PutText(const char *text)
{
    lstrcpyA((char *)Entries + EntriesUsed, text);
    EntriesUsed += lstrlenA(text) + 1;
}

// FNV-1a: an entry cut short or left half written fails it.
static DWORD Check(const BYTE *data, DWORD size)
{
    DWORD hash = 2166136261u;

    while (size--)
        hash = (hash ^ *data++) * 16777619u;
    return hash;
}

static BOOL JournalPath(char *path)
{
    return WindowsFilePath(path, JOURNAL_FILE_NAME);
}

// Up to room bytes of the file at path, else nothing: FALSE when it cannot be read or is
// longer. An absent file is empty.
static BOOL ReadWholeFile(const char *path, BYTE *data, DWORD room, DWORD *size)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    BOOL whole;

    *size = 0;
    if (file == INVALID_HANDLE_VALUE)
        return GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
    whole = ReadFile(file, data, room, size, NULL) && *size < room;
    CloseHandle(file);
    return whole;
}

// A file written whole under the name beside it, then renamed into its place: at every
// moment the file is whole, the earlier or the new one.
static BOOL WriteWholeFile(const char *path, const BYTE *data, DWORD size)
{
    char temporary[PATH_BUFFER_SIZE];
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD written;
    BOOL whole = FALSE;

    if (TemporaryFilePath(temporary, path))
        file = CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    whole = WriteFile(file, data, size, &written, NULL) && written == size && FlushFileBuffers(file);
    CloseHandle(file);
    return whole && MoveIntoPlace(temporary, path);
}

// What a roll-back that could not finish left stays at the journal's head.
BOOL BeginJournal(void)
{
    char path[PATH_BUFFER_SIZE];

    return JournalPath(path) && ReadWholeFile(path, Entries, JOURNAL_ROOM, &EntriesUsed);
}

// An entry with room for size bytes of data begun with its head; FALSE when the journal has
// no room.
static BOOL BeginEntry(DWORD kind, const char *path, const char *name, DWORD present, DWORD word, DWORD type,
                       DWORD size)
{
    if (EntriesUsed + 2 * PATH_BUFFER_SIZE + 6 * 4 + size > JOURNAL_ROOM)
        return FALSE;
    EntryBegins = EntriesUsed;
    PutDword(kind);
    PutDword(0);
    PutText(path);
    PutText(name);
    PutDword(present);
    PutDword(word);
    PutDword(type);
    return TRUE;
}

static BOOL EndEntry(BOOL composed)
{
    BYTE *entry = Entries + EntryBegins;

    if (composed) {
        *(DWORD *)(entry + 4) = EntriesUsed - EntryBegins - ENTRY_HEAD;
        PutDword(Check(entry, EntriesUsed - EntryBegins));
    }
    return composed;
}

static void CutLastLevel(char *path)
{
    int last = lstrlenA(path);

    while (last > 0 && path[last - 1] != '\\')
        last--;
    path[last > 0 ? last - 1 : 0] = 0;
}

// A key made for the run makes its missing parents too, and they go with it. The key opened
// for reading when it is there; FALSE when a level cannot be looked into, which is no level
// missing.
static BOOL MissingLevels(const char *key, DWORD *missing, HKEY *handle)
{
    char path[PATH_BUFFER_SIZE];
    LONG status;

    lstrcpynA(path, key, sizeof path);
    for (*missing = 0; (status = OpenKey(path, KEY_READ, handle)) == ERROR_FILE_NOT_FOUND; ++*missing)
        CutLastLevel(path);
    if (status != ERROR_SUCCESS)
        return FALSE;
    if (*missing > 0) {
        RegCloseKey(*handle);
        *handle = NULL;
    }
    return TRUE;
}

BOOL JournalValue(const char *key, const char *name)
{
    DWORD missing, type = 0, size = 0;
    HKEY handle;
    LONG status = ERROR_FILE_NOT_FOUND;
    BOOL composed;

    if (!MissingLevels(key, &missing, &handle))
        return FALSE;
    if (handle)
        status = RegQueryValueExA(handle, name, NULL, &type, NULL, &size);
    composed = (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) &&
               BeginEntry(PIECE_VALUE, key, name, status == ERROR_SUCCESS, missing, type, size);
    if (composed && status == ERROR_SUCCESS) {
        composed = RegQueryValueExA(handle, name, NULL, &type, Entries + EntriesUsed, &size) == ERROR_SUCCESS;
        EntriesUsed += size;
    }
    if (handle)
        RegCloseKey(handle);
    return EndEntry(composed);
}

BOOL JournalFields(const char *key, const RecordField *fields, int count)
{
    BOOL journaled = TRUE;

    for (int i = 0; i < count && journaled; i++)
        journaled = JournalValue(key, fields[i].Name);
    return journaled;
}

// A folder in the file's place is nothing a copy could replace: there is nothing to record.
BOOL JournalFile(const char *path)
{
    DWORD attributes = GetFileAttributesA(path), size = 0;
    BOOL composed;

    if (DirectoryExists(path))
        return TRUE;
    composed = BeginEntry(PIECE_FILE, path, "", attributes != INVALID_FILE_ATTRIBUTES, attributes, 0, 0) &&
               ReadWholeFile(path, Entries + EntriesUsed, JOURNAL_ROOM - EntriesUsed - 4, &size);
    EntriesUsed += size;
    return EndEntry(composed);
}

// A folder that is there cannot be made: only one that is not is recorded.
BOOL JournalFolder(const char *path)
{
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return TRUE;
    return EndEntry(BeginEntry(PIECE_FOLDER, path, "", FALSE, 0, 0, 0));
}

BOOL EndJournal(BOOL recorded)
{
    char path[PATH_BUFFER_SIZE];

    return recorded && JournalPath(path) && WriteWholeFile(path, Entries, EntriesUsed);
}

BOOL JournalPresent(void)
{
    char path[PATH_BUFFER_SIZE];

    return JournalPath(path) && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// Windows 95 writes the registry to disk when it likes: the journal goes only after the
// changes it stands for are there.
// A journal cut short while it was written beside its place goes too.
void CommitJournal(void)
{
    char path[PATH_BUFFER_SIZE], temporary[PATH_BUFFER_SIZE];

    RegFlushKey(HKEY_LOCAL_MACHINE);
    if (JournalPath(path) && TemporaryFilePath(temporary, path)) {
        DeleteWritableFile(temporary);
        DeleteWritableFile(path);
    }
}

// The value as it was; the levels of its key that the run made go, deepest first, each with
// the values the run put there, but only when no key is below it.
static BOOL PutValueBack(const char *key, const char *name, DWORD present, DWORD missing, DWORD type,
                         const BYTE *data, DWORD size)
{
    char level[PATH_BUFFER_SIZE];
    HKEY handle;
    LONG status = present ? CreateKey(key, &handle, NULL) : OpenKey(key, KEY_ALL_ACCESS, &handle);

    if (status == ERROR_SUCCESS) {
        status = present ? RegSetValueExA(handle, name, 0, type, data, size) : RegDeleteValueA(handle, name);
        RegCloseKey(handle);
    }
    lstrcpynA(level, key, sizeof level);
    for (; missing > 0; missing--) {
        DeleteUnusedKey(level, FALSE);
        CutLastLevel(level);
    }
    return status == ERROR_SUCCESS || (!present && status == ERROR_FILE_NOT_FOUND);
}

// Through the name beside it that a copy of the run takes: the file is whole at every moment,
// and a copy the stop cut short goes too.
static BOOL PutFileBack(const char *path, DWORD present, DWORD attributes, const BYTE *data, DWORD size)
{
    char temporary[PATH_BUFFER_SIZE];
    BOOL gone;

    if (present)
        return WriteWholeFile(path, data, size) && SetFileAttributesA(path, attributes);
    if (!TemporaryFilePath(temporary, path))
        return FALSE;
    gone = DeleteWritableFile(path);
    return DeleteWritableFile(temporary) && gone;
}

// The entries from at on, the last first; every piece is tried even after one failed. An
// entry whose check fails ends the journal: the stop cut it short.
static BOOL PutBackFrom(const BYTE *journal, DWORD at, DWORD size)
{
    const BYTE *entry = journal + at, *head, *data;
    const char *path, *name;
    DWORD body, present, word, dataSize;
    BOOL later;

    if (size - at < ENTRY_OVERHEAD)
        return TRUE;
    body = ReadDword(entry + 4);
    if (body > size - at - ENTRY_OVERHEAD || Check(entry, ENTRY_HEAD + body) != ReadDword(entry + ENTRY_HEAD + body))
        return TRUE;
    later = PutBackFrom(journal, at + ENTRY_OVERHEAD + body, size);
    path = (const char *)entry + ENTRY_HEAD;
    name = path + lstrlenA(path) + 1;
    head = (const BYTE *)name + lstrlenA(name) + 1;
    data = head + 12;
    present = ReadDword(head);
    word = ReadDword(head + 4);
    dataSize = (DWORD)(entry + ENTRY_HEAD + body - data);
    switch (ReadDword(entry)) {
    case PIECE_VALUE:
        return PutValueBack(path, name, present, word, ReadDword(head + 8), data, dataSize) && later;
    case PIECE_FILE:
        return PutFileBack(path, present, word, data, dataSize) && later;
    }
    // A folder still holding what someone else put there stays, as it must.
    RemoveDirectoryA(path);
    return later;
}

// A journal that cannot be read whole stays for another try, as does one with a piece that
// would not go back.
BOOL RollBackJournal(void)
{
    char path[PATH_BUFFER_SIZE];
    DWORD size;

    if (!JournalPath(path) || !ReadWholeFile(path, Entries, JOURNAL_ROOM, &size) || !PutBackFrom(Entries, 0, size))
        return FALSE;
    CommitJournal();
    return !JournalPresent();
}
