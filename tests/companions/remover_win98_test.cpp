// The remover on Windows 95/98, where RegDeleteKey takes a key's whole tree with it: keys
// that other products keep beside and below Velmora's must survive.
#include "companion_test.h"

namespace {

class Win98Remover : public InstalledTest {};

TEST_F(Win98Remover, KeysOfOthersSurvive)
{
    const char sibling[] = SETTINGS_PARENT_KEY "\\inkpad";
    const char belowEntry[] = STATIC_DRIVER_KEY "\\Enum";
    const char otherDriver[] = "System\\CurrentControlSet\\Services\\VxD\\Quillpen";
    WriteDword(sibling, "Port", 3);
    WriteDword(belowEntry, "Count", 1);
    WriteDword(otherDriver, "Start", 0);
    RemoveVelmora();

    EXPECT_FALSE(KeyExists(SETTINGS_KEY));
    EXPECT_TRUE(KeyExists(sibling)) << "the parent went with another product's key";
    EXPECT_FALSE(StaticDriverRegistered());
    EXPECT_TRUE(KeyExists(belowEntry)) << "the entry key went with what someone put below it";
    EXPECT_TRUE(KeyExists(otherDriver));

    // Deleted without a look first, the entry key would have taken its subkey along; on a
    // registry that refuses, the checks above would prove nothing.
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_LOCAL_MACHINE, STATIC_DRIVER_KEY));
    EXPECT_FALSE(KeyExists(belowEntry)) << "the prefix is not in Windows 95/98 mode";
    DeleteKeyTree(otherDriver);   // the fixture takes Velmora's keys away, not another product's
}

} // namespace
