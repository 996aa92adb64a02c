// The serial ports the machine's serial-port map lists, as the port page offers them.
#include "serial_port_map.h"
#include "port_table.h"
#include "registry.h"

#define SERIAL_PORT_MAP_KEY "hardware\\devicemap\\serialcomm"

static const DWORD EVERY_PORT = (1UL << PORT_COUNT) - 1;

// A port counts as listed when its value can be read, whatever it holds.
DWORD ListedSerialPorts(void)
{
    HKEY map;
    DWORD listed = 0;

    if (OpenKey(SERIAL_PORT_MAP_KEY, KEY_READ, &map) != ERROR_SUCCESS)
        return EVERY_PORT;
    for (int i = 0; i < PORT_COUNT; i++) {
        DWORD type;
        BYTE data[256];
        DWORD size = sizeof data;
        if (RegQueryValueExA(map, PortTable[i].mapName, NULL, &type, data, &size) == ERROR_SUCCESS)
            listed |= 1UL << i;
    }
    RegCloseKey(map);
    return listed ? listed : EVERY_PORT;
}
