// The machine of the driver tests: setup's clean machine with a driver file in the system
// directory, and what the card probe answers on it.
#ifndef VELMORA_DRIVER_MACHINE_H
#define VELMORA_DRIVER_MACHINE_H

#include "driver.h"
#include "test_machine.h"

class DriverMachine : public SetupMachineTest {
protected:
    void SetUp() override
    {
        SetupMachineTest::SetUp();
        PutDriverFile();
    }
    // The status the probe reports, or -1 when the call gave no address.
    static LONG Probe()
    {
        PanelReply reply;
        LONG status = -1;
        if (PanelControl(IOCTL_PANEL_PROBE_CARD, 0, 0, &reply))
            ReadReplyValue(&reply, 1, &status);
        return status;
    }
};

#endif
