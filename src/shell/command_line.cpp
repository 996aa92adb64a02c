// The switches of SETUP.EXE and REMOVER.EXE, read from the whole command line without
// touching anything.
#include "command_line.h"
#include "paths.h"
#include "texts.h"

// A replay needs its answers, and answers are read only by a replay; recording belongs to
// the wizard, whose run a replay does not have. A status file is for a management server,
// which starts only quiet runs.
const SwitchRule SetupSwitchRules[SETUP_SWITCH_COUNT] = {
    { "SILENT", NO_VALUE, SETUP_LOADINF, NO_SWITCH },
    { "LOADINF", FILE_VALUE, SETUP_SILENT, NO_SWITCH },
    { "SAVEINF", FILE_VALUE, NO_SWITCH, SETUP_SILENT },
    { "NORESTART", NO_VALUE, SETUP_SILENT, NO_SWITCH },
    { "LOG", FILE_VALUE, NO_SWITCH, NO_SWITCH },
    { "MIF", NAME_VALUE, SETUP_SILENT, NO_SWITCH },
};

CommandSwitches SetupSwitches;

const SwitchRule RemoverSwitchRules[REMOVER_SWITCH_COUNT] = {
    { "S", NO_VALUE, NO_SWITCH, NO_SWITCH },
    { "LOG", FILE_VALUE, NO_SWITCH, NO_SWITCH },
    { "MIF", NAME_VALUE, REMOVER_QUIET, NO_SWITCH },
};

// Room for the longest value and its switch; a longer word is cut and refused.
enum { WORD_SIZE = SWITCH_VALUE_SIZE + 32, SHOWN_SIZE = 40 };

static BOOL IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// A name that is one file of a folder the program chooses on every Windows: no path, no
// extension, nothing the 8.3 names of Windows 95 cannot hold.
static BOOL IsPlainName(const char *value)
{
    int length = 0;

    for (; value[length]; length++) {
        char c = value[length] | 0x20;
        if (!((c >= 'a' && c <= 'z') || (value[length] >= '0' && value[length] <= '9') || value[length] == '_'))
            return FALSE;
    }
    return length <= NAME_VALUE_SIZE;
}

// The next word of *text, up to a blank outside double quotes, the quotes taken out; a
// quote left open runs to the end of the line, as Windows reads one. FALSE at the end.
static BOOL NextWord(const char **text, char *word, BOOL *cut)
{
    const char *p = *text;
    int used = 0;
    BOOL quoted = FALSE;

    while (IsBlank(*p))
        p++;
    if (!*p)
        return FALSE;
    *cut = FALSE;
    for (; *p && (quoted || !IsBlank(*p)); p++) {
        if (*p == '"')
            quoted = !quoted;
        else if (used < WORD_SIZE - 1)
            word[used++] = *p;
        else
            *cut = TRUE;
    }
    word[used] = 0;
    *text = p;
    return TRUE;
}

// Only the first switch not understood is told; the switch is shown without its value.
static void Refuse(CommandSwitches *switches, const char *prefix, const char *name, const char *reason,
                   const char *other)
{
    char shown[SHOWN_SIZE];

    if (switches->Refusal[0])
        return;
    lstrcpynA(shown, name, sizeof shown);
    wsprintfA(switches->Refusal, SWITCH_REFUSED_FORMAT, prefix, shown, reason, other);
}

static void ReadSwitch(char *word, BOOL cut, const SwitchRule *rules, int count,
                       CommandSwitches *switches)
{
    char prefix[2] = { word[0], 0 };
    char *name = word + 1, *value = NULL;
    int i;

    if (word[0] != '/' && word[0] != '-') {
        Refuse(switches, "", word, SWITCH_NOT_A_SWITCH_TEXT, "");
        return;
    }
    for (char *p = name; *p && !value; p++)
        if (*p == '=') {
            *p = 0;
            value = p + 1;
        }
    for (i = 0; i < count && lstrcmpiA(name, rules[i].name) != 0; i++)
        ;
    if (i == count) {
        Refuse(switches, prefix, name, SWITCH_UNKNOWN_TEXT, "");
        return;
    }
    if (switches->Given[i]) {
        Refuse(switches, prefix, name, SWITCH_TWICE_TEXT, "");
        return;
    }
    // Given even in a wrong form: a malformed switch of a quiet run is still told quietly.
    switches->Given[i] = TRUE;
    if (rules[i].value != NO_VALUE && (!value || !*value))
        Refuse(switches, prefix, name, SWITCH_NO_VALUE_TEXT, "");
    else if (rules[i].value == NO_VALUE && value)
        Refuse(switches, prefix, name, SWITCH_VALUE_TEXT, "");
    else if (cut || (value && lstrlenA(value) >= SWITCH_VALUE_SIZE))
        Refuse(switches, prefix, name, SWITCH_TOO_LONG_TEXT, "");
    else if (rules[i].value == NAME_VALUE && !IsPlainName(value))
        Refuse(switches, prefix, name, SWITCH_NOT_A_NAME_TEXT, "");
    else if (value)
        lstrcpyA(switches->Value[i], value);
}

// Windows opens these devices under a file's name in any folder and with any extension:
// COM1 may be the touch panel's own port.
static BOOL NamesDevice(const char *path)
{
    static const char Devices[] = "CONPRNAUXNULCOMLPT";
    const char *name = path;
    int length = 0;

    for (; *path; path++)
        if (*path == '\\')
            name = path + 1;
    while (name[length] && name[length] != '.')
        length++;
    for (int i = 0; i < (int)sizeof Devices - 1; i += 3) {
        BOOL numbered = i >= 12;
        if ((name[0] | 0x20) == (Devices[i] | 0x20) && (name[1] | 0x20) == (Devices[i + 1] | 0x20) &&
            (name[2] | 0x20) == (Devices[i + 2] | 0x20) && length == 3 + numbered &&
            (!numbered || (name[3] >= '1' && name[3] <= '9')))
            return TRUE;
    }
    return FALSE;
}

// A relative name is the current directory's and nobody else's: the profile calls would look
// a bare name up in the Windows directory. A full path that does not fit is refused, never
// shortened; so is a device. No two switches may name one file, the status file included,
// however spelt: the log would be written over the answers before they were read. A value
// refused is cleared, so that nothing is ever written to it.
static void TakeFilePaths(const SwitchRule *rules, int count, CommandSwitches *switches)
{
    char full[SWITCH_VALUE_SIZE];
    char *name;

    for (int i = 0; i < count; i++) {
        char *value = switches->Value[i];
        BOOL fits;
        if (!value[0])
            continue;
        if (rules[i].value == NAME_VALUE) {
            lstrcatA(value, NAME_VALUE_EXTENSION);
            fits = WindowsFilePath(full, value);
        } else {
            DWORD length = GetFullPathNameA(value, sizeof full, full, &name);
            fits = length > 0 && length < sizeof full;
        }
        value[0] = 0;
        if (!fits) {
            Refuse(switches, "/", rules[i].name, SWITCH_PATH_TOO_LONG_TEXT, "");
        } else if (NamesDevice(full)) {
            Refuse(switches, "/", rules[i].name, SWITCH_DEVICE_TEXT, "");
        } else {
            PlainPath(full);
            lstrcpyA(value, full);
        }
    }
    for (int i = 0; i < count; i++)
        for (int j = i + 1; j < count; j++)
            if (switches->Value[i][0] && switches->Value[j][0] && SamePath(switches->Value[i], switches->Value[j])) {
                Refuse(switches, "/", rules[j].name, SWITCH_SAME_FILE_TEXT, rules[i].name);
                switches->Value[j][0] = 0;
            }
}

BOOL ReadSwitches(const char *commandLine, const SwitchRule *rules, int count, CommandSwitches *switches)
{
    char word[WORD_SIZE];
    const char *rest = commandLine ? commandLine : "";
    BOOL cut;

    ZeroMemory(switches, sizeof *switches);
    // The program's own name comes first.
    NextWord(&rest, word, &cut);
    while (NextWord(&rest, word, &cut))
        ReadSwitch(word, cut, rules, count, switches);
    for (int i = 0; i < count; i++) {
        if (!switches->Given[i])
            continue;
        if (rules[i].needs != NO_SWITCH && !switches->Given[rules[i].needs])
            Refuse(switches, "/", rules[i].name, SWITCH_NEEDS_TEXT, rules[rules[i].needs].name);
        if (rules[i].excludes != NO_SWITCH && switches->Given[rules[i].excludes])
            Refuse(switches, "/", rules[i].name, SWITCH_EXCLUDES_TEXT, rules[rules[i].excludes].name);
    }
    TakeFilePaths(rules, count, switches);
    return switches->Refusal[0] == 0;
}
