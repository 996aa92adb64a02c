// The status file of a quiet run, for the management server that started it: the standard
// status MIF, <Windows directory>\<name>.MIF, written just before the log's last line.
#ifndef VELMORA_STATUS_FILE_H
#define VELMORA_STATUS_FILE_H

#include <windows.h>
#include "run_log.h"

enum { STATUS_FILE_SIZE = 2048, STATUS_REASON_SIZE = 128 };

// The file's text for a run that ended with code and reason (cut to 128 characters), of an
// installation made at installed ("2026-12-08 10:42:17", or empty): its length. ANSI, lines
// ended by CR LF.
int ComposeStatusFile(char *text, int code, const char *reason, const char *installed);
// The run writes the status file at path, the /MIF switch's value, as it ends (EndRun),
// replacing an older one, and logs the write; an empty path writes none. What the run sets
// below is cleared.
void ReportRunInStatusFile(const char *path);
// The file's Installation: when the installation the run leaves in place was made, as kept
// with it; empty where the run leaves none (a failure, a removal).
extern char StatusInstallation[RUN_TIME_SIZE];
// The file's Description, where the log names a refusal more exactly than the exit line's
// reason does ("Refused: ComPort = ..."); NULL for that reason.
extern const char *StatusDescription;

#endif
