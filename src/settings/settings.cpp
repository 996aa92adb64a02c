// The panel settings record and its 13 REG_DWORD values under HKLM\software\orrimac\velmora.
#include "settings.h"
#include <stddef.h>

PanelSettingsRecord PanelSettings;
PrevSelectionRecord PrevSelection;

#define FIELD(name, value) { #name, value, offsetof(PanelSettingsRecord, name) }
#define CORNER(name, value) { #name, value, offsetof(PanelSettingsRecord, Corners.name) }

const RecordField PanelSettingFields[PANEL_SETTING_COUNT] = {
    CORNER(LeftUpX, 0), CORNER(LeftUpY, 0), CORNER(RightUpX, 1024), CORNER(RightUpY, 0),
    CORNER(RightDnX, 1024), CORNER(RightDnY, 1024), CORNER(LeftDnX, 0), CORNER(LeftDnY, 1024),
    FIELD(ComPort, 1),      // COM 1
    FIELD(ComBase, 1016),   // 0x3F8, its base address
    FIELD(ComIrq, 4),       // and its interrupt line
    FIELD(Mode, 1),         // mode 1: touch down, move, touch up
    FIELD(RightButton, 0),  // right button off
};

static void ReadPanelSettings(HKEY key)
{
    ReadRecord(key, PanelSettingFields, PANEL_SETTING_COUNT, &PanelSettings);
}

static BOOL WritePanelSettings(HKEY key)
{
    return WriteRecord(key, PanelSettingFields, PANEL_SETTING_COUNT, &PanelSettings);
}

void ReadOrMakePanelSettings(BOOL make)
{
    HKEY key;
    DWORD disposition = 0;
    LONG status = make ? CreateKey(SETTINGS_KEY, &key, &disposition) : OpenKey(SETTINGS_KEY, KEY_READ, &key);

    if (status != ERROR_SUCCESS || disposition == REG_CREATED_NEW_KEY)
        DefaultRecord(PanelSettingFields, PANEL_SETTING_COUNT, &PanelSettings);
    if (status == ERROR_SUCCESS) {
        if (disposition == REG_CREATED_NEW_KEY)
            WritePanelSettings(key);
        else
            ReadPanelSettings(key);
        RegCloseKey(key);
    }
    PrevSelection.PrevComPort = PanelSettings.ComPort;
    PrevSelection.PrevComIrq = PanelSettings.ComIrq;
}

LONG LoadInstalledPanelSettings(void)
{
    HKEY key;
    LONG status = OpenKey(SETTINGS_KEY, KEY_READ, &key);

    if (status != ERROR_SUCCESS)
        return status;
    ReadPanelSettings(key);
    RegCloseKey(key);
    return ERROR_SUCCESS;
}

BOOL SettingsKeyPresent(void)
{
    return KeyPresent(SETTINGS_KEY);
}

BOOL PanelSettingsLeft(void)
{
    HKEY key;
    BOOL left;

    if (OpenKey(SETTINGS_KEY, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    left = AnyFieldPresent(key, PanelSettingFields, PANEL_SETTING_COUNT);
    RegCloseKey(key);
    return left;
}

BOOL CornersAreDefaults(const PanelSettingsRecord *record)
{
    // The corners are the record's first fields.
    for (int i = 0; i < (int)(sizeof record->Corners / sizeof(LONG)); i++)
        if (*FieldIn(record, &PanelSettingFields[i]) != PanelSettingFields[i].Default)
            return FALSE;
    return TRUE;
}

// Only a key that exists: a removed installation must not come back by a save.
static BOOL OpenSettingsToSave(HKEY *key)
{
    return OpenKey(SETTINGS_KEY, KEY_ALL_ACCESS, key) == ERROR_SUCCESS;
}

BOOL SavePanelSettingFields(const DWORD *const fields[], int count)
{
    HKEY key;
    BOOL written = TRUE;

    if (!OpenSettingsToSave(&key))
        return FALSE;
    for (int i = 0; i < count; i++) {
        DWORD offset = (DWORD)((const BYTE *)fields[i] - (const BYTE *)&PanelSettings);
        const RecordField *field = PanelSettingFields;
        while (field < PanelSettingFields + PANEL_SETTING_COUNT && field->Offset != offset)
            field++;
        if (field == PanelSettingFields + PANEL_SETTING_COUNT || !WriteField(key, field, fields[i]))
            written = FALSE;
    }
    RegCloseKey(key);
    return written;
}

BOOL SavePanelSettings(void)
{
    HKEY key;
    BOOL written;

    if (!OpenSettingsToSave(&key))
        return FALSE;
    written = WritePanelSettings(key);
    RegCloseKey(key);
    return written;
}

// A removal stopped after the settings key went left its parent behind, empty: only then,
// with no key of its own, does the parent go alone.
void DeleteSettings(void)
{
    HKEY key;

    if (OpenKey(SETTINGS_KEY, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        DeleteUnusedKey(SETTINGS_PARENT_KEY, TRUE);
        return;
    }
    DeleteFields(key, PanelSettingFields, PANEL_SETTING_COUNT);
    RegCloseKey(key);
    DeleteUnusedKey(SETTINGS_KEY, FALSE);
    DeleteUnusedKey(SETTINGS_PARENT_KEY, FALSE);
}
