// The answer file on disk: read and checked for a replay, written after a recorded
// installation.
#ifndef VELMORA_ANSWER_FILE_H
#define VELMORA_ANSWER_FILE_H

#include <windows.h>
#include "answers.h"

// TRUE with the answers and whether they hold corners; FALSE when the file is missing, cannot
// be read, is too long (ANSWER_FILE_SIZE bytes or more) or is refused, which refusal says, key
// and value named, and the log tells. Nothing is written.
BOOL ReadAnswerFile(const char *path, PanelSettingsRecord *answers, BOOL *aligned, char refusal[ANSWER_REFUSAL_SIZE]);
// The 13 values of record, the file made afresh; TRUE when written.
BOOL WriteAnswerFile(const char *path, const PanelSettingsRecord *record);

#endif
