// PortPage: the serial port and interrupt line of the touch panel's interface card.
#include "setup.h"
#include "installation.h"
#include "port_table.h"
#include "serial_port_map.h"
#include "resource.h"

// Buttons of values that have none (id 0) are simply not touched.
static void SetButtonCheck(HWND page, int id, int state)
{
    if (id != 0)
        SendDlgItemMessageA(page, id, BM_SETCHECK, state, 0);
}

// Offers only the ports the serial-port map lists, each with its partner line.
static void OfferListedPorts(HWND page)
{
    DWORD listed = ListedSerialPorts();

    for (int i = 0; i < PORT_COUNT; i++) {
        int show = (listed & (1UL << i)) ? SW_SHOW : SW_HIDE;
        ShowWindow(GetDlgItem(page, PortTable[i].portButton), show);
        ShowWindow(GetDlgItem(page, PortTable[i].irqButton), show);
    }
}

static void SelectPort(HWND page, const PortTableRow *row)
{
    // The port already chosen keeps the line the user may have picked by hand.
    if (PanelSettings.ComPort == row->comPort)
        return;
    PanelSettings.ComPort = row->comPort;
    PanelSettings.ComBase = row->comBase;
    PanelSettings.ComIrq = row->comIrq;
    SetButtonCheck(page, PortButtonOf(PrevSelection.PrevComPort), BST_UNCHECKED);
    SetButtonCheck(page, IrqButtonOf(PrevSelection.PrevComIrq), BST_UNCHECKED);
    SetButtonCheck(page, row->portButton, BST_CHECKED);
    SetButtonCheck(page, row->irqButton, BST_CHECKED);
    PrevSelection.PrevComPort = PanelSettings.ComPort;
    PrevSelection.PrevComIrq = PanelSettings.ComIrq;
}

static void SelectIrq(HWND page, int id)
{
    if (PanelSettings.ComIrq == IrqOfButton(id))
        return;
    PanelSettings.ComIrq = IrqOfButton(id);
    SetButtonCheck(page, IrqButtonOf(PrevSelection.PrevComIrq), BST_UNCHECKED);
    SetButtonCheck(page, id, BST_CHECKED);
    PrevSelection.PrevComIrq = PanelSettings.ComIrq;
}

INT_PTR CALLBACK PortPage(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        LoadPanelSettings();
        OfferListedPorts(page);
        // A stored choice is checked even when its button is hidden: it stays the choice.
        SetButtonCheck(page, PortButtonOf(PanelSettings.ComPort), BST_CHECKED);
        SetButtonCheck(page, IrqButtonOf(PanelSettings.ComIrq), BST_CHECKED);
        break;

    case WM_COMMAND:
        // The whole wParam is the id: a notification other than a click matches no button.
        if (PortRowOfButton((int)wParam)) {
            SelectPort(page, PortRowOfButton((int)wParam));
        } else if (IrqOfButton((int)wParam)) {
            SelectIrq(page, (int)wParam);
        } else {
            FollowPageChain(page, wParam, IDD_PORT);
        }
        break;

    case WM_DESTROY:
        ReleasePagePictures(page);
        break;
    }
    return 0;
}
