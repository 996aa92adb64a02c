// Joining paths into the fixed 256-byte buffers: what fits, what does not, and that a
// refusal leaves the bytes after the buffer alone; where the Start-menu folder is found.
#include "paths.h"
#include "test_machine.h"

namespace {

// A path buffer with guard bytes behind it, so that a write past its end shows.
struct GuardedPath {
    char path[PATH_BUFFER_SIZE];
    char guard[64];
    GuardedPath() { FillMemory(this, sizeof *this, '#'); }
    bool GuardIntact() const { return std::string(guard, sizeof guard) == std::string(sizeof guard, '#'); }
};

TEST(JoinPath, FillsTheBufferExactlyOrRefusesWithoutOverrun)
{
    // A directory of 244 characters + "\" + 10 characters + zero = 256: the one that fits.
    for (size_t length : { PATH_BUFFER_SIZE - 12, PATH_BUFFER_SIZE - 11, PATH_BUFFER_SIZE + 40 }) {
        SCOPED_TRACE(length);
        GuardedPath joined;
        std::string directory(length, 'd');
        bool fits = length == PATH_BUFFER_SIZE - 12;
        EXPECT_EQ(fits, !!JoinPath(joined.path, directory.c_str(), "QUARLO.VXD"));
        EXPECT_EQ(fits ? directory + "\\QUARLO.VXD" : "", std::string(joined.path));
        EXPECT_TRUE(joined.GuardIntact());
    }
}

TEST(JoinPath, JoinsWithOneBackslashAndIntoItsOwnDirectoryBuffer)
{
    char path[PATH_BUFFER_SIZE];
    EXPECT_TRUE(JoinPath(path, "C:\\", "SETUP.LOG"));
    EXPECT_STREQ("C:\\SETUP.LOG", path);

    lstrcpynA(path, "C:\\WINDOWS", sizeof path);
    EXPECT_TRUE(JoinPath(path, path, "START MENU\\PROGRAMS"));
    EXPECT_STREQ("C:\\WINDOWS\\START MENU\\PROGRAMS", path);
}

class StartMenuLookup : public SetupMachineTest {};

// Without the Windows 9x folder, the first of the shell's values that names an existing
// folder, expanded where the shell keeps it to expand: the user's, or else all users'. Only
// by an absolute path: a relative one would follow the current directory.
TEST_F(StartMenuLookup, FindsTheShellsProgramsFolder)
{
    const struct { HKEY root; const char *name, *value; bool found; } cases[] = {
        { HKEY_CURRENT_USER, "Programs", "%VELMORA_TEST_DRIVE%\\velmora-programs", true },
        { HKEY_LOCAL_MACHINE, "Common Programs", "%VELMORA_TEST_DRIVE%\\velmora-programs", true },
        { HKEY_CURRENT_USER, "Programs", ".", false }, { HKEY_CURRENT_USER, "Programs", "\\velmora-programs", false },
    };
    SetEnvironmentVariableA("VELMORA_TEST_DRIVE", "C:");
    CreateDirectoryA("C:\\velmora-programs", NULL);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        // Each case on its own: the other three values hidden, all four put back after it.
        ShellProgramsHidden hidden;
        SetShellFolderValue(c.root, true, c.name, c.value, true);
        char path[PATH_BUFFER_SIZE];
        EXPECT_TRUE(StartMenuFolderPath(path));
        EXPECT_EQ(c.found ? "C:\\velmora-programs\\VELMORA" : WindowsDirectoryPath("START MENU\\PROGRAMS\\VELMORA"), path);
    }
    RemoveDirectoryA("C:\\velmora-programs");
    SetEnvironmentVariableA("VELMORA_TEST_DRIVE", NULL);
}

} // namespace
