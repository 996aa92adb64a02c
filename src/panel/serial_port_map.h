// The serial ports the machine's serial-port map lists, as the port page offers them.
#ifndef VELMORA_SERIAL_PORT_MAP_H
#define VELMORA_SERIAL_PORT_MAP_H

#include <windows.h>

// Bit n - 1 for COM n. A map that is missing, or lists none of the four, tells nothing,
// and then all four are offered.
DWORD ListedSerialPorts(void);

#endif
