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
    // Cancelled over an earlier installation, whole or in part: Windows may load the driver
    // at its next start and the driver reads these settings, so every piece goes back as this
    // run found it.
    if (EarlierInstallationFound()) {
        PutEarlierInstallationBack();
        return;
    }
    DeleteSettings();
    DeleteDriverFile();
}
