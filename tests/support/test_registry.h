// The registry as tests set it up and read it: keys and values under HKEY_LOCAL_MACHINE
// unless a root is given, the settings setup stored and the shell's folder values; the
// serial-port map is the kit's (serial_ports.h).
#ifndef VELMORA_TEST_REGISTRY_H
#define VELMORA_TEST_REGISTRY_H

#include <windows.h>
#include <string>
#include <vector>
#include "serial_ports.h"

BOOL KeyExists(const char *path);
void DeleteKeyTree(const char *path);
void WriteDword(const char *path, const char *name, DWORD value);
void WriteValue(const char *path, const char *name, DWORD type, const void *data, DWORD size);
// FALSE when the value is missing; type and size are what the registry reports.
BOOL ReadValue(const char *path, const char *name, DWORD *type, std::vector<BYTE> *data);
int CountValues(const char *path);
// Makes the key (created if missing) refuse every value written into it, or takes that back.
void DenyKeyWrites(const char *path, bool deny);

// A REG_DWORD value, or MISSING_VALUE when it is not there (or not a REG_DWORD, which
// fails the test too); a value of the settings key; all 13 of them in the record's order.
enum : DWORD { MISSING_VALUE = 0xDEADBEEF };
DWORD StoredDword(const char *path, const char *name);
DWORD StoredSetting(const char *name);
std::vector<DWORD> StoredRecord(void);

// Where NT keeps the deletions of its next start: pairs of a file and an empty name.
#define PENDING_KEY "System\\CurrentControlSet\\Control\\Session Manager"
#define PENDING_VALUE "PendingFileRenameOperations"

// The static-driver entry names the driver, and nothing else is in its key but the values a
// test put there itself.
void ExpectStaticDriverEntry(int othersValues = 0);
// The Add/Remove Programs entry, as setup writes it for the remover at this path; with ""
// there is no entry key at all.
extern const char UninstallKey[];
void WriteUninstallEntryFor(const std::string &remover);
void ExpectUninstallEntry(const std::string &remover);

// A folder value under Explorer's "Shell Folders" (or, user, "User Shell Folders") key of
// root, unexpanded, "" when missing; setting one ("" removes it). Tests put it back.
std::string ShellFolderValue(HKEY root, bool user, const char *name);
void SetShellFolderValue(HKEY root, bool user, const char *name, const std::string &value, bool expand = false);
// While it lives, the four registry values through which setup may find a Programs folder
// (the user's and all users', stored and to expand) name a folder that does not exist.
class ShellProgramsHidden {
public:
    ShellProgramsHidden();
    ~ShellProgramsHidden();
private:
    std::vector<std::string> saved_;
};

#endif
