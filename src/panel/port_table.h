// The serial ports and interrupt lines PortPage offers, and the radio buttons that stand for them.
#ifndef VELMORA_PORT_TABLE_H
#define VELMORA_PORT_TABLE_H

#include <windows.h>

enum { PORT_COUNT = 4 };

struct PortTableRow {
    int portButton;
    const char *mapName;    // the value the serial-port map holds for a present port
    DWORD comPort;
    DWORD comBase;
    DWORD comIrq;
    int irqButton;          // checked with the port, hidden with it when the port is absent
};

// COM 1 to COM 4, in the order the page looks them up and shows or hides them.
extern const PortTableRow PortTable[PORT_COUNT];

// NULL for a port number outside 1 to 4, or an id that is no port button.
const PortTableRow *PortRowOfPort(DWORD comPort);
const PortTableRow *PortRowOfButton(int id);

// 0 for a port or line that has no button: the page then checks nothing.
int PortButtonOf(DWORD comPort);
int IrqButtonOf(DWORD comIrq);

// The line an interrupt button stands for; 0 for any other id.
DWORD IrqOfButton(int id);

#endif
