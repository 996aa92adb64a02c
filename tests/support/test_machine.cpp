// A clean machine for every test: setup's globals, registry keys and files.
//
// The names of what setup leaves behind (keys, the driver's entry, the Start-menu folder,
// the four programs) are typed here again on purpose, not taken from settings.h: the tests
// hold setup to a copy of their own, so a name changed in setup fails them.
#include "test_machine.h"
#include "calibration_screen.h"
#include "driver.h"
#include "driver_entry.h"
#include "paths.h"
#include "medium.h"
#include "earlier.h"
#include "settings.h"
#include "setup.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

void ResetSetupGlobals(void)
{
    ResetSetupRun();
    SystemDirectoryLookup = NULL;
    WindowsDirectoryLookup = NULL;
    ProgramFolderLookup = NULL;
    RestartRequests = 0;
    RestartResult = TRUE;
}

int RunSetupProgram(const char *commandLine)
{
    int result = WinMain(GetModuleHandleA(NULL), NULL, (LPSTR)commandLine, SW_SHOWNORMAL);
    DestroyWindow(FindWindowA("Velmora Setup 2.00", NULL));
    UnregisterClassA("Velmora Setup 2.00", GetModuleHandleA(NULL));
    return result;
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
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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

const std::vector<DWORD> FirstRunRecord = { 0, 0, 1024, 0, 1024, 1024, 0, 1024, 1, 1016, 4, 1, 0 };
const std::vector<DWORD> InstalledRecord = { 12, 20, 1010, 18, 1006, 760, 9, 757, 2, 760, 3, 2, 1 };

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
    return { "QUARLO.VXD", CompanionPrograms[0], CompanionPrograms[1], CompanionPrograms[2], CompanionPrograms[3] };
}

static const char MediumDirectory[] = "C:\\velmora-test-medium";

static void EmptyMedium(void)
{
    for (const std::string &name : MediumFiles())
        DeleteWritableFile((std::string(MediumDirectory) + "\\" + name).c_str());
}

std::string MakeSetupMedium(const std::vector<std::string> &without)
{
    CreateDirectoryA(MediumDirectory, NULL);
    EmptyMedium();
    for (const std::string &name : MediumFiles())
        if (std::find(without.begin(), without.end(), name) == without.end())
            WriteFileText(std::string(MediumDirectory) + "\\" + name, "medium copy of " + name);
    SetCurrentDirectoryA(MediumDirectory);
    // As setup's start-up chooses it, for the tests that open a page without the whole program.
    ChooseMedium();
    return MediumDirectory;
}

void StorePort(DWORD port, DWORD base, DWORD irq)
{
    WriteDword(SETTINGS_KEY, "ComPort", port);
    WriteDword(SETTINGS_KEY, "ComBase", base);
    WriteDword(SETTINGS_KEY, "ComIrq", irq);
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
    for (size_t n = 0; std::getline(text, line); n++)
        if (n >= from)
            lines.push_back(line.substr(0, line.find('\r')));
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
    return std::string("ioctl ") + code + " " + std::to_string(word0) + " " + std::to_string(word1);
}

// A file's name with its last letter '$': where setup writes a file before it renames it
// into place.
static std::string Temporary(std::string path)
{
    path.back() = '$';
    return path;
}

static void RemoveStartMenuFolder(void)
{
    for (const char *name : CompanionPrograms)
        for (const std::string &path : { StartMenuProgram(name), ShellStartMenuProgram(name) })
            for (const std::string &file : { path, Temporary(path) })
                DeleteWritableFile(file.c_str());
    RemoveDirectoryA((ShellProgramsFolder() + "\\VELMORA").c_str());
    for (const char *folder : { "START MENU\\PROGRAMS\\VELMORA", "START MENU\\PROGRAMS", "START MENU" })
        RemoveDirectoryA(WindowsDirectoryPath(folder).c_str());
}

// What the image holds of a piece: a key's values (name, type and bytes, sorted by name,
// since their order means nothing to Windows), a file's read-only flag and bytes, a folder.
static std::string Hex(const BYTE *data, DWORD size)
{
    std::string hex;
    for (DWORD b = 0; b < size; b++)
        hex += std::string(1, "0123456789ABCDEF"[data[b] >> 4]) + "0123456789ABCDEF"[data[b] & 15];
    return hex;
}

static std::vector<BYTE> Bytes(const std::string &hex)
{
    std::vector<BYTE> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back((BYTE)std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

// The keys a run may make or change, each with every key below it; the driver entries' own
// parent alone, which Wine's prefix may lack and a run then makes.
static const char *const ImageKeyTrees[] = { SETTINGS_PARENT_KEY, STATIC_DRIVER_KEY, UninstallKey };
static const char VxdKey[] = "System\\CurrentControlSet\\Services\\VxD";

static void TakeKey(MachineImage &image, const std::string &path, bool below)
{
    HKEY key;
    if (OpenKey(path.c_str(), KEY_READ, &key) != ERROR_SUCCESS)
        return;
    std::map<std::string, std::string> values;
    char name[256];
    BYTE data[4096];
    DWORD nameSize = sizeof name, size = sizeof data, type;
    for (DWORD i = 0; RegEnumValueA(key, i, name, &nameSize, NULL, &type, data, &size) == ERROR_SUCCESS; i++) {
        if (path != PENDING_KEY || std::string(name) == PENDING_VALUE)
            values[name] = std::to_string(type) + ":" + Hex(data, size);
        nameSize = sizeof name;
        size = sizeof data;
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0; below && RegEnumKeyA(key, i, name, sizeof name) == ERROR_SUCCESS; i++)
        subkeys.push_back(path + "\\" + name);
    RegCloseKey(key);
    std::string &piece = image.pieces["key " + path];
    for (const auto &value : values)
        piece += " " + value.first + "(" + value.second + ")";
    for (const std::string &subkey : subkeys)
        TakeKey(image, subkey, true);
}

// Every file a run may leave: the installed ones, each with the name a copy of it is first
// written under, the journal, and whatever the programs' folders hold.
static std::vector<std::string> ImageFiles(void)
{
    std::vector<std::string> files = { SystemDirectoryPath("QUARLO.VXD"), SystemDirectoryPath("QUARLO.OLD"),
                                       WindowsDirectoryPath("WININIT.INI"), WindowsDirectoryPath("VELMORA.JNL") };
    for (size_t i = 0, count = files.size(); i < count; i++)
        files.push_back(Temporary(files[i]));
    for (const std::string &folder : { WindowsDirectoryPath(START_MENU_FOLDER), ShellProgramsFolder() + "\\VELMORA" }) {
        files.push_back(folder);
        for (const char *name : CompanionPrograms)
            files.insert(files.end(), { folder + "\\" + name, Temporary(folder + "\\" + name) });
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
            if (found.cFileName[0] != '.')
                files.push_back(folder + "\\" + found.cFileName);
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
    }
    return files;
}

MachineImage TakeMachineImage(void)
{
    MachineImage image;
    for (const char *root : ImageKeyTrees)
        TakeKey(image, root, true);
    TakeKey(image, VxdKey, false);
    TakeKey(image, PENDING_KEY, false);
    for (const std::string &file : ImageFiles()) {
        if (DirectoryExists(file.c_str()))
            image.pieces["folder " + file];
        else if (FileExists(file))
            image.pieces["file " + file] = std::string(IsReadOnly(file) ? "read-only " : "") + ReadFileText(file);
    }
    return image;
}

static void PutKey(const std::string &path, const std::string &values)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, CreateKey(path.c_str(), &key, NULL)) << path;
    std::istringstream in(values);
    std::string value;
    while (in >> value) {
        size_t open = value.rfind('('), colon = value.rfind(':');
        std::vector<BYTE> data = Bytes(value.substr(colon + 1, value.size() - colon - 2));
        RegSetValueExA(key, value.substr(0, open).c_str(), 0, std::stoul(value.substr(open + 1, colon - open - 1)),
                       data.data(), (DWORD)data.size());
    }
    RegCloseKey(key);
}

void PutMachineImage(const MachineImage &image)
{
    for (const char *root : ImageKeyTrees)
        DeleteKeyTree(root);
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, PENDING_KEY, PENDING_VALUE);
    if (!image.pieces.count(std::string("key ") + VxdKey))
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, VxdKey);
    // Parents sort before the keys below them.
    for (const auto &piece : image.pieces)
        if (piece.first.compare(0, 4, "key ") == 0)
            PutKey(piece.first.substr(4), piece.second);
    std::vector<std::string> files = ImageFiles();
    for (const auto &piece : image.pieces)
        if (piece.first.compare(0, 7, "folder ") == 0)
            CreateDirectoryA(piece.first.substr(7).c_str(), NULL);
    for (const std::string &file : files) {
        auto piece = image.pieces.find("file " + file);
        if (FileExists(file) && !DirectoryExists(file.c_str()))
            DeleteWritableFile(file.c_str());
        if (piece == image.pieces.end())
            continue;
        bool readOnly = piece->second.compare(0, 10, "read-only ") == 0;
        WriteFileText(file, piece->second.substr(readOnly ? 10 : 0));
        SetReadOnly(file, readOnly);
    }
    for (auto file = files.rbegin(); file != files.rend(); ++file)
        if (DirectoryExists(file->c_str()) && !image.pieces.count("folder " + *file))
            RemoveDirectoryA(file->c_str());
}

std::string ImageText(const MachineImage &image)
{
    std::string text;
    for (const auto &piece : image.pieces)
        text += piece.first + ":" + piece.second + "\n";
    return text;
}

std::string InstallationState(void)
{
    return ImageText(TakeMachineImage());
}

static void CleanMachine(void)
{
    DeleteKeyTree("software\\orrimac");
    DeleteKeyTree("System\\CurrentControlSet\\Services\\VxD\\Velmora");
    DeleteKeyTree(UninstallKey);
    for (const char *name : { "VELMORA.LOG", "VELMORA.JNL", "VELMORA.JN$" })
        DeleteWritableFile(WindowsDirectoryPath(name).c_str());
    for (const char *name : { "QUARLO.VXD", "QUARLO.OLD", "QUARLO.VX$" })
        DeleteWritableFile(SystemDirectoryPath(name).c_str());
    RemoveDirectoryA(SystemDirectoryPath("QUARLO.OLD").c_str());
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, PENDING_KEY, PENDING_VALUE);
    RemoveStartMenuFolder();
}

void SetupMachineTest::SetUp()
{
    ResetSetupGlobals();
    // The thread's last message is no click of the case before, as in a fresh process: a page
    // would take it for the first half of a double click.
    MSG message;
    SetCursorPos(0, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0);
    PeekMessageA(&message, NULL, WM_APP, WM_APP, PM_REMOVE);
    // As start-up leaves it: the pages load their templates and bitmaps from this module.
    SetupInstance = GetModuleHandleA(NULL);
    CleanMachine();
    ASSERT_TRUE(SetSerialPortMap({ "COM1", "COM2" }));
    medium_ = MakeSetupMedium();
    DeleteFileA(simulationLog_.c_str());
    SetSimulation("QUARLO_SIM_LOG", simulationLog_.c_str());
    SetSimulation("QUARLO_SIM_CARD", "1,1016,4");
    // The panel, its jitter and the failing calls at their defaults: a case that set one
    // leaves it to the next in the same process otherwise.
    for (const char *name : { "QUARLO_SIM_PANEL", "QUARLO_SIM_NOISE", "QUARLO_SIM_FAIL" })
        SetSimulation(name, NULL);
}

void SetupMachineTest::LayOutEarlierInstallation(const std::vector<DWORD> &record)
{
    for (int i = 0; i < PANEL_SETTING_COUNT; i++)
        if (record[i] != MISSING_VALUE)
            WriteDword(SETTINGS_KEY, PanelSettingFields[i].Name, record[i]);
    RegisterStaticDriver();
    PutDriverFile("installed driver");
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

// The directory the lookups report, one at a time.
static std::string ReportedDirectory;

static UINT ReportedLookup(char *buffer, UINT size)
{
    if (ReportedDirectory.size() >= size)
        return (UINT)ReportedDirectory.size() + 1;
    lstrcpyA(buffer, ReportedDirectory.c_str());
    return (UINT)ReportedDirectory.size();
}

void ReportDirectory(DirectoryLookup &lookup, const std::string &directory)
{
    ReportedDirectory = directory;
    lookup = ReportedLookup;
}
