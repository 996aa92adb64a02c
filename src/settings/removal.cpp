// Removal of what a cancelled setup stored.
#include "removal.h"
#include "earlier.h"
#include "settings.h"
#include "paths.h"

static void DeleteDriverFile(void)
{
    char path[PATH_BUFFER_SIZE];

    // A system directory too long for the buffer leaves no path to delete: the file stays.
    if (SystemFilePath(path, DRIVER_FILE_NAME))
        DeleteWritableFile(path);
}

void RemoveInstallation(void)
{
    HKEY key;

    // Cancelled over an earlier, completed installation: Windows loads the driver at every
    // start and the driver reads these settings, so both go back as this run found them.
    if (FirstLoad.Taken && FirstLoad.DriverRegistered) {
        PutEarlierInstallationBack();
        return;
    }
    if (OpenKey(SETTINGS_KEY, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        DeleteFields(key, PanelSettingFields, PANEL_SETTING_COUNT);
        RegCloseKey(key);
        DeleteUnusedKey(SETTINGS_KEY, FALSE);
        DeleteUnusedKey(SETTINGS_PARENT_KEY, FALSE);
    }
    DeleteDriverFile();
}
