// The registry as tests set it up and read it; see test_registry.h.
//
// The names of what setup stores are typed here again on purpose where a test checks them
// (the driver's entry): the tests hold setup to a copy of their own.
#include "test_registry.h"
#include "settings.h"

#include <gtest/gtest.h>

BOOL KeyExists(const char *path)
{
    return KeyPresent(path);
}

void DeleteKeyTree(const char *path)
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, path);
}

// The key is created when it is missing.
void WriteValue(const char *path, const char *name, DWORD type, const void *data, DWORD size)
{
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_LOCAL_MACHINE, path, name, type, data, size))
        << name << " in " << path;
}

void WriteDword(const char *path, const char *name, DWORD value)
{
    WriteValue(path, name, REG_DWORD, &value, 4);
}

BOOL ReadValue(const char *path, const char *name, DWORD *type, std::vector<BYTE> *data)
{
    HKEY key;
    if (OpenKey(path, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    BYTE buffer[1024];
    DWORD size = sizeof buffer;
    LONG status = RegQueryValueExA(key, name, NULL, type, buffer, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return FALSE;
    data->assign(buffer, buffer + size);
    return TRUE;
}

DWORD StoredDword(const char *path, const char *name)
{
    DWORD value = 0, size = sizeof value;
    LONG status = RegGetValueA(HKEY_LOCAL_MACHINE, path, name, RRF_RT_REG_DWORD, NULL, &value, &size);
    if (status == ERROR_FILE_NOT_FOUND)
        return MISSING_VALUE;
    // The type is the registry's to check; a REG_DWORD's size is not.
    bool dword = status == ERROR_SUCCESS && size == 4;
    EXPECT_TRUE(dword) << name << " is no REG_DWORD of 4 bytes (status " << status << ", " << size << " bytes)";
    return dword ? value : MISSING_VALUE;
}

DWORD StoredSetting(const char *name)
{
    return StoredDword(SETTINGS_KEY, name);
}

std::vector<DWORD> StoredRecord(void)
{
    std::vector<DWORD> values;
    for (int i = 0; i < PANEL_SETTING_COUNT; i++)
        values.push_back(StoredSetting(PanelSettingFields[i].Name));
    return values;
}

// A REG_SZ value that holds text and its terminating zero, nothing more.
static void ExpectString(const char *path, const char *name, const std::string &text)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(ReadValue(path, name, &type, &data)) << "no value " << name << " in " << path;
    EXPECT_EQ((DWORD)REG_SZ, type) << name << " is stored with another type";
    EXPECT_EQ(text + '\0', std::string(data.begin(), data.end())) << name;
}

void ExpectStaticDriverEntry(int othersValues)
{
    ExpectString(STATIC_DRIVER_KEY, STATIC_DRIVER_VALUE, "Quarlo.vxd");
    EXPECT_EQ(1 + othersValues, CountValues(STATIC_DRIVER_KEY)) << "values beside the entry in its key";
}

const char UninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora";

// The strings of the entry by name; NoModify and NoRepair beside them are REG_DWORD 1.
static std::vector<std::pair<const char *, std::string>> UninstallTexts(const std::string &remover)
{
    return { { "DisplayName", "Velmora Touch Screen Driver" }, { "UninstallString", "\"" + remover + "\"" },
             { "QuietUninstallString", "\"" + remover + "\" /S" }, { "DisplayVersion", "6.04B" },
             { "Publisher", "Orrimac Corporation" },
             { "DisplayIcon", remover.substr(0, remover.rfind('\\')) + "\\PADMON.EXE" } };
}
static const char *const UninstallFlags[2] = { "NoModify", "NoRepair" };

void WriteUninstallEntryFor(const std::string &remover)
{
    for (const auto &text : UninstallTexts(remover))
        WriteValue(UninstallKey, text.first, REG_SZ, text.second.c_str(), (DWORD)text.second.size() + 1);
    for (const char *flag : UninstallFlags)
        WriteDword(UninstallKey, flag, 1);
}

void ExpectUninstallEntry(const std::string &remover)
{
    ASSERT_EQ(!remover.empty(), !!KeyExists(UninstallKey)) << "an Add/Remove Programs entry, or none";
    if (remover.empty())
        return;
    for (const auto &text : UninstallTexts(remover))
        ExpectString(UninstallKey, text.first, text.second);
    for (const char *flag : UninstallFlags)
        EXPECT_EQ(1u, StoredDword(UninstallKey, flag)) << flag;
}

int CountValues(const char *path)
{
    HKEY key;
    DWORD values = 0;
    if (OpenKey(path, KEY_READ, &key) != ERROR_SUCCESS)
        return -1;
    RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, NULL, NULL, &values, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    return (int)values;
}

void DenyKeyWrites(const char *path, bool deny)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, NULL, 0, WRITE_DAC, NULL, &key, NULL));
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = NULL;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    BYTE aclBuffer[256];
    PACL acl = (PACL)aclBuffer;
    InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
    AddAccessDeniedAce(acl, ACL_REVISION, KEY_SET_VALUE, everyone);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    // No list at all lets everyone do everything again.
    SetSecurityDescriptorDacl(&descriptor, TRUE, deny ? acl : NULL, FALSE);
    EXPECT_EQ(ERROR_SUCCESS, RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor));
    FreeSid(everyone);
    RegCloseKey(key);
}

static std::string ExplorerKey(bool user)
{
    return std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\") +
           (user ? "User Shell Folders" : "Shell Folders");
}

std::string ShellFolderValue(HKEY root, bool user, const char *name)
{
    char value[MAX_PATH] = "";
    DWORD size = sizeof value - 1;
    if (RegGetValueA(root, ExplorerKey(user).c_str(), name, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                     NULL, value, &size) != ERROR_SUCCESS)
        return "";
    return value;
}

void SetShellFolderValue(HKEY root, bool user, const char *name, const std::string &value, bool expand)
{
    if (value.empty())
        RegDeleteKeyValueA(root, ExplorerKey(user).c_str(), name);
    else
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(root, ExplorerKey(user).c_str(), name, expand ? REG_EXPAND_SZ : REG_SZ,
                                                 value.c_str(), (DWORD)value.size() + 1)) << name;
}

static const struct { HKEY root; bool user; const char *name; } ProgramsValues[] = {
    { HKEY_CURRENT_USER, false, "Programs" }, { HKEY_CURRENT_USER, true, "Programs" },
    { HKEY_LOCAL_MACHINE, false, "Common Programs" }, { HKEY_LOCAL_MACHINE, true, "Common Programs" },
};

ShellProgramsHidden::ShellProgramsHidden()
{
    for (const auto &v : ProgramsValues) {
        saved_.push_back(ShellFolderValue(v.root, v.user, v.name));
        SetShellFolderValue(v.root, v.user, v.name, "C:\\velmora-no-programs-folder", v.user);
    }
}

ShellProgramsHidden::~ShellProgramsHidden()
{
    for (size_t i = 0; i < saved_.size(); i++)
        SetShellFolderValue(ProgramsValues[i].root, ProgramsValues[i].user, ProgramsValues[i].name, saved_[i],
                            ProgramsValues[i].user);
}

