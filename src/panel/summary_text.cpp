// The port and right-button lines, from the settings record's values.
#include "summary_text.h"

static const char *const PortNames[] = { "COM 1", "COM 2", "COM 3", "COM 4" };

static const struct {
    DWORD line;
    const char *text;
} InterruptParts[] = {
    { 3, ", IRQ 3" },
    { 4, ", IRQ 4" },
    { 5, ", IRQ 5" },
    { 7, ", IRQ 7" },
};

void ComposePortLine(char *text, DWORD comPort, DWORD comIrq)
{
    // A stored port outside COM 1 to COM 4 is one the port page checks no button for;
    // "none" says the same here, and unlike the number itself it cannot outgrow the line.
    if (comPort >= 1 && comPort <= 4)
        wsprintfA(text, "COM Port Setting : %5s", PortNames[comPort - 1]);
    else
        lstrcpyA(text, "COM Port Setting : none");
    for (int i = 0; i < (int)(sizeof InterruptParts / sizeof InterruptParts[0]); i++)
        if (InterruptParts[i].line == comIrq)
            lstrcatA(text, InterruptParts[i].text);
}

void ComposeButtonLine(char *text, DWORD rightButton)
{
    wsprintfA(text, "Right Button Setting : %3s", rightButton == 1 ? " ON" : "OFF");
}
