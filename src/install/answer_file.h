// The answer file on disk: read and checked for a replay, written after a recorded
// installation.
#ifndef VELMORA_ANSWER_FILE_H
#define VELMORA_ANSWER_FILE_H

#include <windows.h>
#include "settings.h"

// TRUE with the answers and whether they hold corners; FALSE when the file is missing or
// refused, which the log tells, key and value named. Nothing is written.
BOOL ReadAnswerFile(const char *path, PanelSettingsRecord *answers, BOOL *aligned);
// The 13 values of record, the file made afresh; TRUE when written.
BOOL WriteAnswerFile(const char *path, const PanelSettingsRecord *record);

#endif
