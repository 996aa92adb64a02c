// A clean machine for every test: setup's globals, registry keys and files.
//
// The names of what setup leaves behind (keys, the driver's entry, the Start-menu folder,
// the four programs) are typed here again on purpose, not taken from settings.h: the tests
// hold setup to a copy of their own, so a name changed in setup fails them.
#include "test_machine.h"
#include "calibration_screen.h"
#include "driver.h"
#include "paths.h"
#include "settings.h"
#include "setup.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

void ResetSetupGlobals(void)
{
    SetupAborted = 0;
    CalibrationAccepted = 0;
    ScreenWidth = 0;
    ScreenHeight = 0;
    ZeroMemory(MessageText, sizeof MessageText);
    ZeroMemory(&PanelSettings, sizeof PanelSettings);
    ZeroMemory(&PrevSelection, sizeof PrevSelection);
    ZeroMemory(&FirstLoad, sizeof FirstLoad);
    SystemDirectoryLookup = NULL;
    WindowsDirectoryLookup = NULL;
    DriverHandle = NULL;
    CaptureActive = 0;
    PointIndex = 0;
    ZeroMemory(TouchedPoints, sizeof TouchedPoints);
    RestartRequests = 0;
    RestartResult = TRUE;
}

int RunSetupProgram(void)
{
    int result = WinMain(GetModuleHandleA(NULL), NULL, GetCommandLineA(), SW_SHOWNORMAL);
    HWND hidden = FindWindowA("Velmora Setup 2.00", NULL);
    if (hidden)
        DestroyWindow(hidden);
    UnregisterClassA("Velmora Setup 2.00", GetModuleHandleA(NULL));
    return result;
}

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
        values.push_back(StoredSetting(PanelSettingNames[i]));
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

static const char SerialMapKey[] = "hardware\\devicemap\\serialcomm";

void RemoveSerialPortMap(void)
{
    DeleteKeyTree(SerialMapKey);
}

void SetSerialPortMap(const std::vector<std::string> &ports)
{
    RemoveSerialPortMap();
    HKEY key;
    // The map lives below a volatile key, so it must be volatile too.
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, SerialMapKey, 0, NULL,
                                             REG_OPTION_VOLATILE, KEY_ALL_ACCESS, NULL, &key, NULL));
    for (const std::string &port : ports)
        RegSetValueExA(key, port.c_str(), 0, REG_SZ, (const BYTE *)port.c_str(), port.size() + 1);
    RegCloseKey(key);
}

std::string SystemDirectoryPath(const char *name)
{
    char directory[MAX_PATH];
    GetSystemDirectoryA(directory, sizeof directory);
    return std::string(directory) + "\\" + name;
}

std::string WindowsDirectoryPath(const char *name)
{
    char directory[MAX_PATH];
    GetWindowsDirectoryA(directory, sizeof directory);
    return std::string(directory) + "\\" + name;
}

BOOL FileExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileText(const std::string &path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFileText(const std::string &path, const std::string &text)
{
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out << text;
}

void PutDriverFile(const char *text)
{
    WriteFileText(SystemDirectoryPath(DRIVER_FILE_NAME), text);
}

const char *const CompanionPrograms[4] = { "PADMON.EXE", "REMOVER.EXE", "ALIGNER.EXE", "TUNER.EXE" };

std::string StartMenuProgram(const char *name)
{
    return WindowsDirectoryPath("START MENU\\PROGRAMS\\VELMORA\\") + name;
}

void MakeStartMenu(void)
{
    CreateDirectoryA(WindowsDirectoryPath("START MENU").c_str(), NULL);
    CreateDirectoryA(WindowsDirectoryPath("START MENU\\PROGRAMS").c_str(), NULL);
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

std::string ShellProgramsFolder(void)
{
    return ShellFolderValue(HKEY_CURRENT_USER, false, "Programs");
}

std::string ShellStartMenuProgram(const char *name)
{
    return ShellProgramsFolder() + "\\VELMORA\\" + name;
}

void SetReadOnly(const std::string &path, bool readOnly)
{
    SetFileAttributesA(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

bool IsReadOnly(const std::string &path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

static std::vector<std::string> MediumFiles(void)
{
    std::vector<std::string> files = { "QUARLO.VXD" };
    files.insert(files.end(), CompanionPrograms, CompanionPrograms + 4);
    return files;
}

static const char MediumDirectory[] = "C:\\velmora-test-medium";

static void EmptyMedium(void)
{
    for (const std::string &name : MediumFiles()) {
        std::string path = std::string(MediumDirectory) + "\\" + name;
        SetReadOnly(path, false);
        DeleteFileA(path.c_str());
    }
}

std::string MakeSetupMedium(const std::vector<std::string> &without)
{
    CreateDirectoryA(MediumDirectory, NULL);
    EmptyMedium();
    for (const std::string &name : MediumFiles()) {
        bool skip = false;
        for (const std::string &left : without)
            skip = skip || left == name;
        if (!skip)
            WriteFileText(std::string(MediumDirectory) + "\\" + name, "medium copy of " + name);
    }
    SetCurrentDirectoryA(MediumDirectory);
    return MediumDirectory;
}

void SetSimulation(const char *name, const char *value)
{
    SetEnvironmentVariableA(name, value && *value ? value : NULL);
}

static std::string SimulationLogPath(void)
{
    char path[MAX_PATH] = "";
    GetEnvironmentVariableA("QUARLO_SIM_LOG", path, sizeof path);
    return path;
}

std::vector<std::string> ReadSimulationLog(size_t from)
{
    std::vector<std::string> lines;
    std::istringstream text(ReadFileText(SimulationLogPath()));
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    lines.erase(lines.begin(), lines.begin() + std::min(from, lines.size()));
    return lines;
}

void ClearSimulationLog(void)
{
    DeleteFileA(SimulationLogPath().c_str());
}

int CountLogLines(const std::string &line)
{
    std::vector<std::string> log = ReadSimulationLog();
    return (int)std::count(log.begin(), log.end(), line);
}

std::string IoctlLine(const char *code, LONG word0, LONG word1)
{
    char line[64];
    std::snprintf(line, sizeof line, "ioctl %s %ld %ld", code, (long)word0, (long)word1);
    return line;
}

static void RemoveStartMenuFolder(void)
{
    for (const char *name : CompanionPrograms) {
        for (const std::string &path : { StartMenuProgram(name), ShellStartMenuProgram(name) }) {
            SetReadOnly(path, false);
            DeleteFileA(path.c_str());
        }
    }
    RemoveDirectoryA((ShellProgramsFolder() + "\\VELMORA").c_str());
    RemoveDirectoryA(WindowsDirectoryPath("START MENU\\PROGRAMS\\VELMORA").c_str());
    RemoveDirectoryA(WindowsDirectoryPath("START MENU\\PROGRAMS").c_str());
    RemoveDirectoryA(WindowsDirectoryPath("START MENU").c_str());
}

static void CleanMachine(void)
{
    DeleteKeyTree("software\\orrimac");
    DeleteKeyTree("System\\CurrentControlSet\\Services\\VxD\\Velmora");
    for (const char *name : { "QUARLO.VXD", "QUARLO.OLD" }) {
        SetReadOnly(SystemDirectoryPath(name), false);
        DeleteFileA(SystemDirectoryPath(name).c_str());
    }
    RemoveStartMenuFolder();
}

void SetupMachineTest::SetUp()
{
    ResetSetupGlobals();
    // As start-up leaves it: the pages load their templates and bitmaps from this module.
    SetupInstance = GetModuleHandleA(NULL);
    CleanMachine();
    SetSerialPortMap({ "COM1", "COM2" });
    medium_ = MakeSetupMedium();
    simulationLog_ = "C:\\velmora-test-sim.log";
    DeleteFileA(simulationLog_.c_str());
    SetSimulation("QUARLO_SIM_LOG", simulationLog_.c_str());
    SetSimulation("QUARLO_SIM_CARD", "1,1016,4");
    SetSimulation("QUARLO_SIM_PANEL", NULL);
    SetSimulation("QUARLO_SIM_FAIL", NULL);
}

void SetupMachineTest::TearDown()
{
    CloseTouchDriver();
    SetCurrentDirectoryA("C:\\");
    CleanMachine();
    EmptyMedium();
    RemoveDirectoryA(MediumDirectory);
    DeleteFileA(simulationLog_.c_str());
}
