// The four companion programs' work, apart from their entries so that tests can run it.
#ifndef VELMORA_COMPANIONS_H
#define VELMORA_COMPANIONS_H

#include <windows.h>
#include "texts.h"

// Shared by the programs (installed.cpp).
// Loads PanelSettings from an existing settings key. When Velmora is not installed, or its
// key cannot be opened, it says which in a box with this caption, creates nothing and
// returns FALSE.
BOOL LoadInstalledSettings(const char *caption);
// An exclamation box with OK, owned by owner.
void ShowProblem(HWND owner, const char *text, const char *caption);

// PADMON.EXE (padmon.cpp): the stored settings and a test of the panel.
int RunPadmon(void);
INT_PTR CALLBACK PadmonWindow(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
// PADMON's lines, composed without a window; each fits MessageText.
void ComposePadmonPort(char *text, DWORD comPort, DWORD comBase, DWORD comIrq);
void ComposePadmonMode(char *text, DWORD mode);
void ComposePadmonCorner(char *text, const char *corner, LONG x, LONG y);
void ComposePadmonPoint(char *text, LONG rawX, LONG rawY);
// PADMON's check of the alignment (padmon_check.cpp), opened by its Check Alignment button.
INT_PTR CALLBACK CheckScreen(HWND screen, UINT message, WPARAM wParam, LPARAM lParam);
// Puts the driver back to mapping and ends the check screen, when it is up.
void EndAlignmentCheck(void);

// REMOVER.EXE (remover.cpp).
// What the last removal could not delete at once: the files handed to WININIT.INI for the
// next start, and the paths left to the user, one a line (room for all six it may name).
enum { REMOVAL_BY_HAND_SIZE = 6 * (256 + 2) };
extern int RemovalScheduled;
// Files of the installation that neither went nor go at the next start.
extern int RemovalFilesLeft;
extern char RemovalByHand[REMOVAL_BY_HAND_SIZE];
// The registry keys that still hold what the removal should have deleted, one a line.
enum { REMOVAL_IN_REGISTRY_SIZE = 128 };
extern char RemovalInRegistry[REMOVAL_IN_REGISTRY_SIZE];
// The static-driver entry, the settings, the driver file and the Start-menu programs.
void RemoveVelmora(void);
// TRUE when any part of an installation is found.
BOOL VelmoraPresent(void);
// TRUE when the last removal leaves files to delete or a loaded driver to the next start.
BOOL RestartWanted(void);
// The exit line's reason of a quiet removal that wants the restart: what waits for it.
void ComposeRestartReason(char *text, int size);
// Asks, removes, tells what is left and offers the restart.
int RunRemover(void);
// REMOVER.EXE's command line (remover_command.cpp): RunRemover, or with /S the removal
// without a question or a box; /LOG=<file> logs either. The exit code is returned.
int RunRemoverCommand(const char *commandLine);

// ALIGNER.EXE (aligner.cpp): setup's calibration screen over the installed driver, with
// the checks of aligner_screen.cpp.
int RunAligner(void);
INT_PTR CALLBACK AlignerScreen(HWND screen, UINT message, WPARAM wParam, LPARAM lParam);
// The alignment the driver had when ALIGNER started, sent back to it, mapping again.
void RestoreStoredAlignment(void);

// TUNER.EXE (tuner.cpp): touch mode and right button.
int RunTuner(void);
INT_PTR CALLBACK TunerWindow(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
// Writes Mode and RightButton of PanelSettings to the existing settings key only.
BOOL SaveTunerSettings(void);

#endif
