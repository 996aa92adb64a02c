// The panel settings record in its registry home, and every name the installation leaves on a machine.
#ifndef VELMORA_SETTINGS_H
#define VELMORA_SETTINGS_H

#include <windows.h>
#include "driver.h"
#include "registry.h"

// The corners first, as the driver takes them (LeftUpX, LeftUpY, ... LeftDnY): the 13 values
// in their registry order.
struct PanelSettingsRecord {
    PanelCorners Corners;
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
// The entry of Control Panel's Add/Remove Programs, and the name it shows (Windows 95 hides
// one of more than 63 characters).
#define UNINSTALL_KEY       "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora"
#define UNINSTALL_NAME      "Velmora Touch Screen Driver"
// An earlier installation that an older setup kept aside while it replaced it: its driver
// file beside the driver in the system directory, its 13 values in a key of their own.
#define EARLIER_DRIVER_FILE_NAME "QUARLO.OLD"
#define EARLIER_SETTINGS_KEY     SETTINGS_KEY ".old"

extern PanelSettingsRecord PanelSettings;
extern PrevSelectionRecord PrevSelection;

// The 13 values in field order: every write, read and delete walks this table.
extern const RecordField PanelSettingFields[PANEL_SETTING_COUNT];

// The wizard's load: a machine without the settings key gets it, with the defaults; without
// make, the defaults stay in memory only.
void ReadOrMakePanelSettings(BOOL make);
// For the companion programs, which must never bring back settings the remover took away:
// loads PanelSettings from the settings key opened for reading only (a key the user may
// read but not write holds the installed settings all the same). ERROR_SUCCESS, or the
// error of the open (ERROR_FILE_NOT_FOUND when there is no key), with nothing created.
LONG LoadInstalledPanelSettings(void);
// TRUE when the settings key is there, whether or not it may be written.
BOOL SettingsKeyPresent(void);
// TRUE when the record's corners are those a new settings key gets: no calibration stored them.
BOOL CornersAreDefaults(const PanelSettingsRecord *record);
// TRUE when any of the 13 values is still in the settings key.
BOOL PanelSettingsLeft(void);
// TRUE when all 13 values were written.
BOOL SavePanelSettings(void);
// Writes only the given fields of PanelSettings (&PanelSettings.Mode, ...) to the existing
// settings key, leaving the other values as they are; TRUE when all were written.
BOOL SavePanelSettingFields(const DWORD *const fields[], int count);
// The 13 values go, and their key and its parent when nothing else is left in them.
void DeleteSettings(void);

#endif
