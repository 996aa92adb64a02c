// The touch driver link: one device handle and the driver's seven control calls.
#ifndef VELMORA_DRIVER_H
#define VELMORA_DRIVER_H

#include <windows.h>

// Device type FILE_DEVICE_UNKNOWN, FILE_ANY_ACCESS, METHOD_NEITHER: 0x220000 + 4 * function + 3.
#define PANEL_CONTROL_CODE(function) (0x220003UL + 4UL * (function))

#define IOCTL_PANEL_READ_POINT    PANEL_CONTROL_CODE(1)  /* 0x220007 */
#define IOCTL_PANEL_SET_LEFT_UP   PANEL_CONTROL_CODE(2)  /* 0x22000B */
#define IOCTL_PANEL_SET_RIGHT_UP  PANEL_CONTROL_CODE(3)  /* 0x22000F */
#define IOCTL_PANEL_SET_RIGHT_DN  PANEL_CONTROL_CODE(4)  /* 0x220013 */
#define IOCTL_PANEL_SET_LEFT_DN   PANEL_CONTROL_CODE(5)  /* 0x220017 */
#define IOCTL_PANEL_SET_CALIBRATE PANEL_CONTROL_CODE(6)  /* 0x22001B */
#define IOCTL_PANEL_PROBE_CARD    PANEL_CONTROL_CODE(9)  /* 0x220027 */

// The file the platform loads the driver from, in the system directory, and the device
// name that loads it.
#define DRIVER_FILE_NAME   "QUARLO.VXD"
#define DRIVER_DEVICE_NAME "\\\\.\\" DRIVER_FILE_NAME

// Three little-endian words each. A reply word that setup reads holds an address in
// setup's own address space; the value behind it may change at any time, so it is read
// once, while handling the message that made the call.
struct PanelRequest {
    DWORD Word[3];
};

struct PanelReply {
    DWORD Word[3];
};

// The raw panel values at the screen's corners, by which the driver maps touches.
struct PanelCorners {
    LONG LeftUpX, LeftUpY;
    LONG RightUpX, RightUpY;
    LONG RightDnX, RightDnY;
    LONG LeftDnX, LeftDnY;
};

extern HANDLE DriverHandle;

// Loads the driver (the platform finds QUARLO.VXD in the system directory) and keeps the
// handle; TRUE when it opened.
BOOL OpenTouchDriver(void);
// Unloads it (the handle was opened delete-on-close) and forgets the handle; nothing
// happens when no driver is open.
void CloseTouchDriver(void);

// Issues one control call with request words 0 and 1; word 2 is never set.
BOOL PanelControl(DWORD code, LONG word0, LONG word1, PanelReply *reply);

// The calibrate flags: (1, 0) collects raw touches, (1, 1) maps by the corners just sent,
// (0, 0) ends calibration.
void SetPanelCalibrate(LONG calibrating, LONG second);
// Sends the four corners, in the order the calibration screen takes its targets, then
// calibrate (1, 1), from which on the driver maps touches by them.
void SetPanelCorners(const PanelCorners *corners);

// Reads the 32-bit value at the address in a reply word; FALSE when the call gave none.
BOOL ReadReplyValue(const PanelReply *reply, int word, LONG *value);

#endif
