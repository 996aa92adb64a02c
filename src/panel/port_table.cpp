// The serial ports and interrupt lines PortPage offers, and the radio buttons that stand for them.
#include "port_table.h"
#include "resource.h"

// COM 3 and COM 4 go with 0x378 and line 7, 0x278 and line 5: not the usual 0x3E8 and
// 0x2E8. These pairs are what the driver is handed for those ports.
const PortTableRow PortTable[PORT_COUNT] = {
    { IDC_COM1, "COM1", 1, 1016, 4, IDC_IRQ4 },
    { IDC_COM2, "COM2", 2, 760, 3, IDC_IRQ3 },
    { IDC_COM3, "COM3", 3, 888, 7, IDC_IRQ7 },
    { IDC_COM4, "COM4", 4, 632, 5, IDC_IRQ5 },
};

static const struct {
    int button;
    DWORD comIrq;
} IrqTable[] = {
    { IDC_IRQ4, 4 },
    { IDC_IRQ3, 3 },
    { IDC_IRQ5, 5 },
    { IDC_IRQ7, 7 },
};

enum { IRQ_COUNT = sizeof IrqTable / sizeof IrqTable[0] };

const PortTableRow *PortRowOfPort(DWORD comPort)
{
    for (int i = 0; i < PORT_COUNT; i++)
        if (PortTable[i].comPort == comPort)
            return &PortTable[i];
    return NULL;
}

const PortTableRow *PortRowOfButton(int id)
{
    for (int i = 0; i < PORT_COUNT; i++)
        if (PortTable[i].portButton == id)
            return &PortTable[i];
    return NULL;
}

int PortButtonOf(DWORD comPort)
{
    const PortTableRow *row = PortRowOfPort(comPort);
    return row ? row->portButton : 0;
}

int IrqButtonOf(DWORD comIrq)
{
    for (int i = 0; i < IRQ_COUNT; i++)
        if (IrqTable[i].comIrq == comIrq)
            return IrqTable[i].button;
    return 0;
}

DWORD IrqOfButton(int id)
{
    for (int i = 0; i < IRQ_COUNT; i++)
        if (IrqTable[i].button == id)
            return IrqTable[i].comIrq;
    return 0;
}
