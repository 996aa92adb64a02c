// The status file of a quiet run, for the management server that started it: the standard
// status MIF, <Windows directory>\<name>.MIF, written just before the log's last line.
#ifndef VELMORA_STATUS_FILE_H
#define VELMORA_STATUS_FILE_H

#include <windows.h>

enum { STATUS_FILE_SIZE = 2048, STATUS_REASON_SIZE = 128 };

// The file's text for a run that ended with code and reason (cut to 128 characters), begun
// at began ("2026-12-08 10:42:17"): its length. ANSI, lines ended by CR LF.
int ComposeStatusFile(char *text, int code, const char *reason, const char *began);
// The run writes the status file at path, the /MIF switch's value, as it ends (EndRun),
// replacing an older one, and logs the write; an empty path writes none.
void ReportRunInStatusFile(const char *path);

#endif
