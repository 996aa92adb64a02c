// Stands in for the restart request: under Wine the real one ends every windowed
// process of the prefix, the test runner's included.
#include <windows.h>

int RestartRequests;
BOOL RestartResult = TRUE;

BOOL RequestRestart(void)
{
    RestartRequests++;
    return RestartResult;
}
