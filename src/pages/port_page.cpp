// PortPage: the serial port and interrupt line of the touch panel's interface card.
#include "setup.h"
#include "earlier.h"
#include "port_table.h"
#include "resource.h"

#define SERIAL_PORT_MAP_KEY "hardware\\devicemap\\serialcomm"

// Buttons of values that have none (id 0) are simply not touched.
static void SetButtonCheck(HWND page, int id, int state)
{
    if (id != 0)
        SendDlgItemMessageA(page, id, BM_SETCHECK, state, 0);
}

static void ShowPortButtons(HWND page, const PortTableRow *row, int show)
{
    ShowWindow(GetDlgItem(page, row->portButton), show);
    ShowWindow(GetDlgItem(page, row->irqButton), show);
}

static void ShowAllPortButtons(HWND page)
{
    for (int i = 0; i < PORT_COUNT; i++)
        ShowPortButtons(page, &PortTable[i], SW_SHOW);
}

// Offers only the ports the serial-port map lists; a map that is missing or lists none of
// the four tells nothing, and then every port is offered.
static void OfferPresentPorts(HWND page)
{
    HKEY map;
    int present = 0;

    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SERIAL_PORT_MAP_KEY, 0, KEY_READ, &map) != ERROR_SUCCESS) {
        ShowAllPortButtons(page);
        return;
    }
    for (int i = 0; i < PORT_COUNT; i++) {
        DWORD type;
        BYTE data[256];
        DWORD size = sizeof data;
        if (RegQueryValueExA(map, PortTable[i].mapName, NULL, &type, data, &size) == ERROR_SUCCESS)
            present++;
        else
            ShowPortButtons(page, &PortTable[i], SW_HIDE);
    }
    RegCloseKey(map);
    if (present == 0)
        ShowAllPortButtons(page);
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
        OfferPresentPorts(page);
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
            FollowPageChain(page, wParam, IDD_RIGHT_BUTTON, RightButtonPage);
        }
        break;

    case WM_DESTROY:
        ReleasePagePictures(page);
        break;
    }
    return 0;
}
