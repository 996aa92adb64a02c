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
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char name[256];
    for (;;) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, 0, name, &size, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        std::string child = std::string(path) + "\\" + name;
        DeleteKeyTree(child.c_str());
    }
    RegCloseKey(key);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, path);
}

void WriteValue(const char *path, const char *name, DWORD type, const void *data, DWORD size)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, NULL, 0, KEY_ALL_ACCESS,
                                             NULL, &key, NULL)) << path;
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, (const BYTE *)data, size)) << name;
    RegCloseKey(key);
}

void WriteDword(const char *path, const char *name, DWORD value)
{
    WriteValue(path, name, REG_DWORD, &value, 4);
}

BOOL ReadValue(const char *path, const char *name, DWORD *type, std::vector<BYTE> *data)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
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
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadValue(path, name, &type, &data))
        return MISSING_VALUE;
    EXPECT_EQ((DWORD)REG_DWORD, type) << name << " is stored with another type";
    EXPECT_EQ(4u, data.size()) << name << " is not 4 bytes";
    if (type != REG_DWORD || data.size() != 4)
        return MISSING_VALUE;
    return *(DWORD *)data.data();
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

void ExpectStaticDriverEntry(void)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(ReadValue(STATIC_DRIVER_KEY, STATIC_DRIVER_VALUE, &type, &data)) << "no static-driver entry";
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_EQ(std::string("Quarlo.vxd", 11), std::string(data.begin(), data.end()));
}

const char UninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora";

static const char *const UninstallValues[3] = { "DisplayName", "UninstallString", "QuietUninstallString" };

static std::vector<std::string> UninstallTexts(const std::string &remover)
{
    return { "Velmora Touch Screen Driver", "\"" + remover + "\"", "\"" + remover + "\" /S" };
}

void WriteUninstallEntryFor(const std::string &remover)
{
    for (int i = 0; i < 3; i++)
        WriteValue(UninstallKey, UninstallValues[i], REG_SZ, UninstallTexts(remover)[i].c_str(),
                   (DWORD)UninstallTexts(remover)[i].size() + 1);
}

void ExpectUninstallEntry(const std::string &remover)
{
    ASSERT_EQ(!remover.empty(), !!KeyExists(UninstallKey)) << "an Add/Remove Programs entry, or none";
    for (int i = 0; i < 3 && !remover.empty(); i++) {
        DWORD type = 0;
        std::vector<BYTE> data;
        EXPECT_TRUE(ReadValue(UninstallKey, UninstallValues[i], &type, &data)) << UninstallValues[i];
        EXPECT_EQ((DWORD)REG_SZ, type);
        EXPECT_EQ(UninstallTexts(remover)[i], std::string(data.begin(), data.end()).c_str());
    }
}

int CountValues(const char *path)
{
    HKEY key;
    DWORD values = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
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
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, ExplorerKey(user).c_str(), 0, NULL, 0, KEY_ALL_ACCESS,
                                             NULL, &key, NULL));
    if (value.empty())
        RegDeleteValueA(key, name);
    else
        RegSetValueExA(key, name, 0, expand ? REG_EXPAND_SZ : REG_SZ, (const BYTE *)value.c_str(),
                       (DWORD)value.size() + 1);
    RegCloseKey(key);
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

