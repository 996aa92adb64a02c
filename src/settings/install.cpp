// Driver registration for every start of Windows, and removal of what a cancelled setup stored.
#include "settings.h"

void RegisterStaticDriver(void)
{
}

void RemoveInstallation(void)
{
}
