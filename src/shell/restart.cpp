// The restart request that ends a completed installation.
#include "setup.h"

BOOL RequestRestart(void)
{
    return ExitWindowsEx(EWX_REBOOT, 0);
}
