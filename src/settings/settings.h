// The panel settings record, its registry home, and what setup stores or removes there.
#ifndef VELMORA_SETTINGS_H
#define VELMORA_SETTINGS_H

#include <windows.h>
#include "driver.h"

// Field order is the order of every registry write, read and delete.
struct PanelSettingsRecord {
    LONG LeftUpX;
    LONG LeftUpY;
    LONG RightUpX;
    LONG RightUpY;
    LONG RightDnX;
    LONG RightDnY;
    LONG LeftDnX;
    LONG LeftDnY;
    DWORD ComPort;
    DWORD ComBase;
    DWORD ComIrq;
    DWORD Mode;
    DWORD RightButton;
};

struct PrevSelectionRecord {
    DWORD PrevComPort;
    DWORD PrevComIrq;
};

enum { PANEL_SETTING_COUNT = 13 };

// Every name the installation leaves on a machine is spelt here (the driver's own file
// name in driver.h), so that setup, the companion programs and the tools cannot drift apart.
#define SETTINGS_PARENT_KEY "software\\orrimac"
#define SETTINGS_KEY        SETTINGS_PARENT_KEY "\\velmora"
#define STATIC_DRIVER_KEY   "System\\CurrentControlSet\\Services\\VxD\\Velmora"
#define STATIC_DRIVER_VALUE "StaticVxD"
#define STATIC_DRIVER_NAME  "Quarlo.vxd"
// The companion programs' Start-menu folder, below the Windows directory of a Windows 9x
// without user profiles; elsewhere below the Programs folder the shell names (paths.h).
#define START_MENU_PROGRAMS "START MENU\\PROGRAMS"
#define PROGRAMS_FOLDER     "VELMORA"
#define START_MENU_FOLDER   START_MENU_PROGRAMS "\\" PROGRAMS_FOLDER
// The companion programs, in the order setup copies them into that folder.
enum CompanionProgram { PADMON_PROGRAM, REMOVER_PROGRAM, ALIGNER_PROGRAM, TUNER_PROGRAM, COMPANION_PROGRAM_COUNT };
extern const char *const CompanionProgramFiles[COMPANION_PROGRAM_COUNT];
// An earlier installation kept aside while a run of setup replaces it: its driver file
// beside the driver in the system directory, its 13 values in a key of their own.
#define EARLIER_DRIVER_FILE_NAME "QUARLO.OLD"
#define EARLIER_SETTINGS_KEY     SETTINGS_KEY ".old"

extern PanelSettingsRecord PanelSettings;
extern PrevSelectionRecord PrevSelection;

// Value names in field order, for whoever needs to walk the record by name, and the value
// each field takes when its own cannot be read.
extern const char *const PanelSettingNames[PANEL_SETTING_COUNT];
extern const DWORD PanelSettingDefaults[PANEL_SETTING_COUNT];

// What the first load of this run found: the record as loaded, and whether an earlier,
// completed setup had registered the driver. A cancel puts such an installation back.
struct FirstLoadRecord {
    BOOL Taken;
    BOOL DriverRegistered;
    PanelSettingsRecord Settings;
};
extern FirstLoadRecord FirstLoad;

void LoadPanelSettings(void);
// For the companion programs, which must never bring back settings the remover took away:
// loads PanelSettings from the settings key opened for reading only (a key the user may
// read but not write holds the installed settings all the same). ERROR_SUCCESS, or the
// error of the open (ERROR_FILE_NOT_FOUND when there is no key), with nothing created.
LONG LoadInstalledPanelSettings(void);
// TRUE when the settings key is there, whether or not it may be written.
BOOL SettingsKeyPresent(void);
// TRUE when any of the 13 values is still in the settings key.
BOOL PanelSettingsLeft(void);
// Reads the 13 values from an open settings key into PanelSettings; a value that cannot be
// read gets its default.
void ReadPanelSettings(HKEY key);
// TRUE when all 13 values were written.
BOOL SavePanelSettings(void);
// Writes the 13 values of record to an open settings key, in field order; TRUE when all were.
BOOL WritePanelSettings(HKEY key, const PanelSettingsRecord *record);
// Writes only the given fields of PanelSettings (&PanelSettings.Mode, ...) to the existing
// settings key, leaving the other values as they are; TRUE when all were written.
BOOL SavePanelSettingFields(const DWORD *const fields[], int count);

// TRUE when the entry was written.
BOOL RegisterStaticDriver(void);
BOOL StaticDriverRegistered(void);
// Deletes the entry, and its key when nothing that someone else put there is left in it.
void UnregisterStaticDriver(void);
void RemoveInstallation(void);

// The earlier installation aside (earlier.cpp). The key is written first and goes last, so
// that it marks an aside copy as long as any part of one exists.
// Before the summary page first replaces the driver over an earlier completed installation.
// Unless the outcome is ASIDE_KEPT (which it also is when there is nothing to keep), nothing
// was changed and the earlier driver must not be replaced: a folder has the aside file's
// name, or the copy could not be written or the driver not moved.
enum AsideOutcome { ASIDE_KEPT, ASIDE_FOLDER_IN_THE_WAY, ASIDE_NOT_KEPT };
AsideOutcome KeepEarlierInstallationAside(void);
// TRUE when an earlier installation is kept aside, by this run or by one that was stopped.
BOOL EarlierInstallationAside(void);
// Its values and driver file back in place, then the aside copy gone; nothing without one.
// Whatever changes the installation does this first (ClaimInstallation), so that a copy a
// stopped setup left never comes back over later changes.
void PutEarlierInstallationBack(void);
// The installation completed: the aside copy is no longer wanted.
void DropEarlierInstallation(void);

// Deletes an HKEY_LOCAL_MACHINE key only when it is seen to hold no subkeys (and, with
// valuesToo, no values either): Windows 95/98 RegDeleteKey takes a whole tree with it.
void DeleteUnusedKey(const char *path, BOOL valuesToo);
// TRUE when the HKEY_LOCAL_MACHINE key can be opened for reading.
BOOL KeyPresent(const char *path);

#endif
