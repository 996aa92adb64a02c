// A port's line and the right button's, as the summary page shows them (PADMON shows the
// second too), composed without a window so they can be checked alone.
#ifndef VELMORA_SUMMARY_TEXT_H
#define VELMORA_SUMMARY_TEXT_H

#include <windows.h>

// Both lines fit in 31 characters and a zero, whatever the record holds, so the caller's
// MessageText always has room and the line always fits its static on the page.
enum { SUMMARY_LINE_MAX = 31 };

// "COM Port Setting : COM 2, IRQ 3"; a port setup does not offer reads "none", an
// interrupt line it does not offer adds nothing.
void ComposePortLine(char *text, DWORD comPort, DWORD comIrq);

// "Right Button Setting :  ON" for 1, "... : OFF" for any other value.
void ComposeButtonLine(char *text, DWORD rightButton);

#endif
