// The machine's serial-port map, as the hardware scan of a Windows 95/98 machine leaves it:
// one value per port, named after it ("COM1" = "COM1"). Wine fills the map from the host's
// ports, so the port page would offer a different choice on every machine unless it is set.
#ifndef VELMORA_SERIAL_PORTS_H
#define VELMORA_SERIAL_PORTS_H

#include <windows.h>
#include <string>
#include <vector>

// The map's key under HKEY_LOCAL_MACHINE. Typed here apart from setup's own spelling: the
// walk and the tests hold setup to the name the platform uses.
#define SERIAL_MAP_KEY "hardware\\devicemap\\serialcomm"

// The map lists these ports and nothing else; FALSE when its key could not be opened.
BOOL SetSerialPortMap(const std::vector<std::string> &ports);
// No map at all.
void RemoveSerialPortMap(void);

#endif
