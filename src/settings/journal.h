// The one journal of what a run changes, written ahead: before a run first changes anything,
// every piece of the machine it may change (a registry value, a file, a folder) is on disk in
// the journal as the run found it. Putting back is rolling the journal back, last to first,
// whether the run failed, was cancelled, or was stopped and its journal is found by the next
// setup or removal; deleting the journal is the commit.
#ifndef VELMORA_JOURNAL_H
#define VELMORA_JOURNAL_H

#include "registry.h"

// In the Windows directory, where every Windows lets setup write.
#define JOURNAL_FILE_NAME "VELMORA.JNL"

// A round of records: begun, each piece recorded as it is now, then ended, which writes them
// all to the journal in one write and flushes it. A value of a key under HKEY_LOCAL_MACHINE
// (the fields of a record, each a value): its type and bytes or that it is not there, and how
// much of the key's path is missing; a file's bytes and attributes, or that it is not there;
// a folder that is not there. Each is FALSE when the piece cannot be read; EndJournal, given
// whether every record of the round was made, TRUE once all are on disk. Until then nothing
// may change: nothing could put it back.
BOOL BeginJournal(void);
BOOL JournalValue(const char *key, const char *name);
BOOL JournalFields(const char *key, const RecordField *fields, int count);
BOOL JournalFile(const char *path);
BOOL JournalFolder(const char *path);
BOOL EndJournal(BOOL recorded);

// The run's changes stay: they are flushed to disk, then the journal is deleted.
void CommitJournal(void);
// Every piece a journal on disk holds put back as it was, last to first, then the journal
// deleted; nothing without one. Each step may be done again, so a stop while it runs only
// leaves the journal for the next start to finish. TRUE when the journal is gone.
BOOL RollBackJournal(void);
// TRUE when a journal is on disk: a run is changing the installation, or one was stopped.
BOOL JournalPresent(void);

#endif
