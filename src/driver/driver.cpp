// The touch driver link: open, close and control calls through the device layer.
#include "driver.h"
#include "device.h"

HANDLE DriverHandle;

BOOL OpenTouchDriver(void)
{
    DriverHandle = DeviceOpen(DRIVER_DEVICE_NAME, 0, 0, NULL, CREATE_NEW,
                              FILE_FLAG_DELETE_ON_CLOSE, NULL);
    return DriverHandle != INVALID_HANDLE_VALUE;
}

void CloseTouchDriver(void)
{
    // A handle value is reused once closed; forgetting it keeps a second close from
    // reaching whatever the system hands out under that value next.
    if (DriverHandle == INVALID_HANDLE_VALUE || DriverHandle == NULL)
        return;
    DeviceClose(DriverHandle);
    DriverHandle = INVALID_HANDLE_VALUE;
}

BOOL PanelControl(DWORD code, LONG word0, LONG word1, PanelReply *reply)
{
    PanelRequest request;
    DWORD returned = 0;

    request.Word[0] = (DWORD)word0;
    request.Word[1] = (DWORD)word1;
    request.Word[2] = 0;
    // A call that fails leaves the reply as it was: zero words, no address to follow.
    reply->Word[0] = reply->Word[1] = reply->Word[2] = 0;
    return DeviceControl(DriverHandle, code, &request, sizeof request, reply, sizeof *reply,
                         &returned, NULL);
}

void SetPanelCalibrate(LONG calibrating, LONG second)
{
    PanelReply reply;
    PanelControl(IOCTL_PANEL_SET_CALIBRATE, calibrating, second, &reply);
}

static void SendCorner(DWORD code, LONG x, LONG y)
{
    PanelReply reply;
    PanelControl(code, x, y, &reply);
}

void SetPanelCorners(const PanelCorners *corners)
{
    SendCorner(IOCTL_PANEL_SET_LEFT_UP, corners->LeftUpX, corners->LeftUpY);
    SendCorner(IOCTL_PANEL_SET_RIGHT_UP, corners->RightUpX, corners->RightUpY);
    SendCorner(IOCTL_PANEL_SET_LEFT_DN, corners->LeftDnX, corners->LeftDnY);
    SendCorner(IOCTL_PANEL_SET_RIGHT_DN, corners->RightDnX, corners->RightDnY);
    SetPanelCalibrate(1, 1);
}

BOOL ReadReplyValue(const PanelReply *reply, int word, LONG *value)
{
    if (word < 0 || word > 2 || reply->Word[word] == 0)
        return FALSE;
    *value = *(const LONG *)reply->Word[word];
    return TRUE;
}
