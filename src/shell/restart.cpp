// The restart request that ends a completed installation.
#include "program.h"

BOOL RequestRestart(void)
{
    return ExitWindowsEx(EWX_REBOOT, 0);
}
