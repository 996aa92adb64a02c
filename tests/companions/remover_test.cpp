// The remover: what it takes away, what it leaves to others, and what it hands to WININIT.INI.
#include "companion_test.h"

namespace {

class Remover : public CompanionTest {};

// REMOVER's question answered, then its report when one is given, with this button.
void RunRemoverAnswering(int answer, const std::string &report = "", LPCSTR icon = IDI_QUESTION, int button = IDOK)
{
    Scenario s;
    s.AnswerMessageBox("Remove the Velmora touch screen driver?", REMOVER_CAPTION, IDI_QUESTION, answer);
    if (!report.empty())
        s.AnswerMessageBox(report, REMOVER_CAPTION, icon, button);
    s.Run(RunRemover);
}

// The lines of WININIT.INI's [rename] section, each ended by "|".
std::string RenameSection()
{
    char section[4096] = "";
    DWORD length = GetPrivateProfileSectionA("rename", section, sizeof section, "WININIT.INI");
    std::string lines;
    for (const char *p = section; p < section + length && *p; p += lstrlenA(p) + 1)
        lines += std::string(p) + "|";
    return lines;
}

std::string ShortPath(const std::string &path)
{
    char buffer[MAX_PATH] = "";
    GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    return buffer;
}

TEST_F(Remover, TakesAwayACompletedInstallationButNotTheSetupMedium)
{
    InstallVelmora();
    RemoveVelmora();

    ExpectNothingInstalled();
    EXPECT_TRUE(KeyExists("System\\CurrentControlSet\\Services\\VxD"));
    // The medium is the current directory and holds programs of the same names.
    for (const char *name : { "PADMON.EXE", "REMOVER.EXE", "ALIGNER.EXE", "TUNER.EXE", "QUARLO.VXD" })
        EXPECT_TRUE(FileExists(medium_ + "\\" + name)) << name << " was deleted from the medium";
    EXPECT_EQ(0, RemovalScheduled);
    EXPECT_STREQ("", RemovalByHand);
    EXPECT_EQ("", RenameSection());
}

TEST_F(Remover, DriverEntryKeyKeepsValuesItDidNotWrite)
{
    InstallVelmora();
    WriteDword(STATIC_DRIVER_KEY, "Start", 0);
    RemoveVelmora();

    EXPECT_EQ(1, CountValues(STATIC_DRIVER_KEY));
    EXPECT_EQ(0u, StoredDword(STATIC_DRIVER_KEY, "Start"));
    EXPECT_FALSE(StaticDriverRegistered());
}

TEST_F(Remover, FilesInUseGoAtTheNextStartAndTheFolderIsLeftToTheUser)
{
    InstallVelmora();
    WritePrivateProfileStringA("rename", "NUL", "C:\\OLDSETUP.TMP", "WININIT.INI");
    std::string remover = folder_ + "\\REMOVER.EXE", driver = SystemDirectoryPath(DRIVER_FILE_NAME);
    HANDLE running = HoldOpen(remover), loaded = HoldOpen(driver);
    ASSERT_NE(INVALID_HANDLE_VALUE, running);
    ASSERT_NE(INVALID_HANDLE_VALUE, loaded);
    std::string expected = "NUL=C:\\OLDSETUP.TMP|NUL=" + ShortPath(driver) + "|NUL=" + ShortPath(remover) + "|";
    EXPECT_EQ(std::string::npos, expected.find(' ')) << "WININIT runs from DOS and needs short names";

    RemoveVelmora();
    // A second run while the files are still held must not repeat a line.
    RemoveVelmora();
    CloseHandle(running);
    CloseHandle(loaded);

    EXPECT_EQ(expected, RenameSection());
    EXPECT_EQ(2, RemovalScheduled);
    EXPECT_EQ(folder_ + "\r\n", RemovalByHand);
    EXPECT_FALSE(FileExists(folder_ + "\\PADMON.EXE"));
    EXPECT_FALSE(KeyExists(SETTINGS_KEY));
    // All of it gone or going at the next start: Control Panel has nothing left to remove.
    ExpectUninstallEntry("");

    // The restart declined, setup takes back the deletions of its files only, here and on NT.
    const std::string other = std::string("\\??\\C:\\OLDSETUP.TMP") + '\0' + '\0';
    const std::string pending = "\\??\\" + driver + '\0' + '\0' + other + '\0';
    WriteValue(PENDING_KEY, PENDING_VALUE, REG_MULTI_SZ, pending.data(), (DWORD)pending.size());
    InstallBySetup();
    EXPECT_EQ("NUL=C:\\OLDSETUP.TMP|", RenameSection());
    DWORD type = 0;
    std::vector<BYTE> kept;
    ASSERT_TRUE(ReadValue(PENDING_KEY, PENDING_VALUE, &type, &kept));
    EXPECT_EQ((DWORD)REG_MULTI_SZ, type);
    EXPECT_EQ(other + '\0', std::string(kept.begin(), kept.end()));
}

// Values in a key closed to writing stay whatever the removal tried: the report names the key
// instead of calling the driver removed.
TEST_F(Remover, SettingsInAKeyClosedToWritingAreReportedAsLeft)
{
    InstallVelmora();
    ShutKey();
    RunRemoverAnswering(IDYES, "The Velmora touch screen driver could not be removed completely. Windows did not "
                        "let these registry keys be changed:\r\nHKEY_LOCAL_MACHINE\\" SETTINGS_KEY "\r\n\r\n"
                        "Windows must be restarted to finish the removal. Restart Windows now?", IDI_QUESTION, IDNO);
    EXPECT_EQ(InstalledRecord, StoredRecord());
    EXPECT_FALSE(StaticDriverRegistered());
    // Something stays, so Control Panel can try again.
    ExpectUninstallEntry(folder_ + "\\REMOVER.EXE");
}

TEST_F(Remover, AsksBeforeRemovingAndOffersTheRestart)
{
    InstallVelmora();
    RunRemoverAnswering(IDNO);
    ExpectInstalled();

    HANDLE running = HoldOpen(folder_ + "\\REMOVER.EXE");
    RunRemoverAnswering(IDYES, "The Velmora touch screen driver has been removed.\r\n\r\n"
                        "Files still in use are deleted at the next start of Windows.\r\n\r\n"
                        "Please delete by hand after the restart:\r\n" + folder_ + "\r\n\r\n"
                        "Windows must be restarted to finish the removal. Restart Windows now?", IDI_QUESTION, IDYES);
    CloseHandle(running);
    EXPECT_EQ(1, RestartRequests);
    EXPECT_FALSE(KeyExists(SETTINGS_KEY));

    // The restart done: another remover finds only the empty folder, and nothing to restart for.
    DeleteFileA((folder_ + "\\REMOVER.EXE").c_str());
    RunRemoverAnswering(IDYES, "The Velmora touch screen driver has been removed.", IDI_ASTERISK);
    EXPECT_EQ(1, RestartRequests);
    EXPECT_FALSE(FileExists(folder_));
}

// A Wine prefix, like a Windows 98 with user profiles, has no START MENU\PROGRAMS in its
// Windows directory: a whole run puts the programs under the shell's Programs folder, and the
// remover finds them there.
TEST_F(Remover, TakesTheProgramsFromTheShellsProgramsFolder)
{
    ASSERT_FALSE(FileExists(WindowsDirectoryPath("START MENU\\PROGRAMS")));
    InstallBySetup();
    for (const char *name : CompanionPrograms)
        EXPECT_EQ(std::string("medium copy of ") + name, ReadFileText(ShellStartMenuProgram(name)));

    RemoveVelmora();
    EXPECT_FALSE(FileExists(ShellProgramsFolder() + "\\VELMORA"));
    EXPECT_TRUE(FileExists(ShellProgramsFolder()));
    EXPECT_STREQ("", RemovalByHand);
}

// Files an older setup copied from a write-protected medium: WININIT would leave them all
// where they are, so they must go now, and a stop before the restart lost nothing.
TEST_F(Remover, DeletesReadOnlyFilesAndALeftOverAsideCopy)
{
    InstallVelmora();
    std::vector<std::string> files = { SystemDirectoryPath(DRIVER_FILE_NAME) };
    for (const char *name : CompanionPrograms)
        files.push_back(StartMenuProgram(name));
    for (const std::string &file : files)
        SetReadOnly(file, true);
    StopSetupOverTheInstallation();

    RemoveVelmora();

    for (const std::string &file : files)
        EXPECT_FALSE(FileExists(file)) << file;
    EXPECT_FALSE(FileExists(SystemDirectoryPath(EARLIER_DRIVER_FILE_NAME)));
    ExpectNothingInstalled();
    EXPECT_EQ(0, RemovalScheduled);
    EXPECT_STREQ("", RemovalByHand);
}

} // namespace
