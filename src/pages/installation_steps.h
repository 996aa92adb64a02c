// The installation's steps that the wizard's pages and the silent installation share, each
// logged with its outcome when the run keeps a log.
#ifndef VELMORA_INSTALLATION_STEPS_H
#define VELMORA_INSTALLATION_STEPS_H

#include <windows.h>

// The medium's driver into the system directory, an earlier installation's kept aside
// first; TRUE when copied. When it was not, refusal tells the user why nothing was
// changed, or is NULL when only the copy failed.
BOOL ReplaceDriverFile(const char **refusal);
// TRUE when the interface card answers the open driver on the stored port.
BOOL CardAnswers(void);
// The static-driver entry and the settings, TRUE when written.
BOOL RegisterDriverForStart(void);
BOOL StoreSettings(void);
// A program of the medium into the companion folder; TRUE when copied.
BOOL CopyCompanionProgram(const char *program, const char *folder);
// The Add/Remove Programs entry for the remover in folder; TRUE when written.
BOOL RegisterRemover(const char *folder);

#endif
