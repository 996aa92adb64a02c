// The machine's serial-port map.
#include "serial_ports.h"

BOOL SetSerialPortMap(const std::vector<std::string> &ports)
{
    HKEY key;
    char name[256];
    DWORD size = sizeof name;

    // The map lives below a volatile key, so it must be volatile too.
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, SERIAL_MAP_KEY, 0, NULL, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, NULL,
                        &key, NULL) != ERROR_SUCCESS)
        return FALSE;
    while (RegEnumValueA(key, 0, name, &size, NULL, NULL, NULL, NULL) == ERROR_SUCCESS &&
           RegDeleteValueA(key, name) == ERROR_SUCCESS)
        size = sizeof name;
    for (const std::string &port : ports)
        RegSetValueExA(key, port.c_str(), 0, REG_SZ, (const BYTE *)port.c_str(), (DWORD)port.size() + 1);
    RegCloseKey(key);
    return TRUE;
}

void RemoveSerialPortMap(void)
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, SERIAL_MAP_KEY);
}
