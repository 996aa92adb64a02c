// The answers of an answer file, checked and composed without touching anything: section
// [Velmora], one key per stored field, named as the field, in decimal.
#include "answers.h"
#include "calibration_geometry.h"
#include "port_table.h"

enum { COM_PORT_FIELD = CORNER_FIELD_COUNT, COM_BASE_FIELD, COM_IRQ_FIELD, MODE_FIELD, RIGHT_BUTTON_FIELD };
enum { SHOWN_SIZE = 40, REASON_SIZE = 64 };

static BOOL IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

static char *Trim(char *text)
{
    char *end;

    while (IsBlank(*text))
        text++;
    end = text + lstrlenA(text);
    while (end > text && IsBlank(end[-1]))
        *--end = 0;
    return text;
}

static BOOL IsLineEnd(char c)
{
    return c == '\r' || c == '\n' || c == 0;
}

// A header "[name]", blanks allowed inside the brackets, naming the answers' section. As the
// profile calls read one, the name ends at the line's last "]" and what follows it is left.
static BOOL IsAnswerHeader(const char *line, const char *end)
{
    char name[sizeof ANSWER_SECTION + 1];
    const char *close = end - 1;

    while (close > line && *close != ']')
        close--;
    if (close == line)
        return FALSE;
    for (line++; line < close && IsBlank(*line); line++)
        ;
    while (close > line && IsBlank(close[-1]))
        close--;
    if (close - line != sizeof ANSWER_SECTION - 1)
        return FALSE;
    lstrcpynA(name, line, sizeof ANSWER_SECTION);
    return lstrcmpiA(name, ANSWER_SECTION) == 0;
}

BOOL GatherAnswerSections(const char *text, DWORD length, char section[ANSWER_SECTION_SIZE])
{
    const char *end = text + length;
    char *out = section;
    BOOL inside = FALSE;

    while (text < end) {
        const char *line = text, *stop;
        while (text < end && !IsLineEnd(*text))
            text++;
        stop = text++;
        while (line < stop && IsBlank(*line))
            line++;
        while (stop > line && IsBlank(stop[-1]))
            stop--;
        if (line == stop || *line == ';')
            continue;
        if (*line == '[') {
            inside = IsAnswerHeader(line, stop);
            continue;
        }
        if (!inside)
            continue;
        // The line, its zero and the empty string that ends the section.
        if (stop - line + 2 > section + ANSWER_SECTION_SIZE - out)
            return FALSE;
        lstrcpynA(out, line, (int)(stop - line) + 1);
        out += stop - line + 1;
    }
    *out = 0;
    return TRUE;
}

// A decimal whole number with an optional sign, into 32 bits; NULL when it is one that
// fits, otherwise why not. The text is read, never a profile integer: Windows 95 gives 0
// for a negative one. Corners are signed; no other field's range holds a negative number.
static const char *ParseWhole(const char *text, BOOL isSigned, DWORD *value)
{
    BOOL negative = *text == '-';
    DWORD size = 0;

    if (*text == '-' || *text == '+')
        text++;
    if (!*text)
        return "not a whole number";
    for (; *text; text++) {
        DWORD digit = (DWORD)(*text - '0');
        if (digit > 9)
            return "not a whole number";
        if (size > (0xFFFFFFFFUL - digit) / 10)
            return "does not fit 32 bits";
        size = size * 10 + digit;
    }
    if (isSigned && size > (negative ? 0x80000000UL : 0x7FFFFFFFUL))
        return "does not fit 32 bits";
    *value = negative && size ? (isSigned ? 0 - size : 0xFFFFFFFFUL) : size;
    return NULL;
}

// NULL when field may hold value, otherwise why not (composed into why).
static const char *OutOfRange(int field, DWORD value, const PanelSettingsRecord *answers, DWORD listedPorts,
                              char *why)
{
    static const DWORD Lowest[] = { 1, 0, 0, 1, 0 }, Highest[] = { 4, 0xFFFFFFFFUL, 0xFFFFFFFFUL, 3, 1 };
    const PortTableRow *row = PortRowOfPort(answers->ComPort);
    int rule = field - COM_PORT_FIELD;

    if (rule < 0)
        return NULL;
    if (value < Lowest[rule] || value > Highest[rule]) {
        wsprintfA(why, "must be %lu to %lu", Lowest[rule], Highest[rule]);
        return why;
    }
    if (field == COM_PORT_FIELD && !(listedPorts & (1UL << (value - 1))))
        return "not in the serial-port map";
    if (field == COM_BASE_FIELD && value != row->comBase) {
        wsprintfA(why, "must be %lu for COM %lu", row->comBase, answers->ComPort);
        return why;
    }
    if (field == COM_IRQ_FIELD && !IrqButtonOf(value))
        return "must be 3, 4, 5 or 7";
    return NULL;
}

static int FieldOfKey(const char *key)
{
    for (int i = 0; i < PANEL_SETTING_COUNT; i++)
        if (lstrcmpiA(key, PanelSettingFields[i].Name) == 0)
            return i;
    return -1;
}

// Each field's value text, found once; NULL, or why the line in *key and *value is refused.
static const char *CollectValues(char *section, const char *values[PANEL_SETTING_COUNT], const char **key,
                                 const char **value)
{
    char *line, *next, *equals;
    int field;

    for (line = section; *line; line = next) {
        next = line + lstrlenA(line) + 1;
        *key = line = Trim(line);
        *value = NULL;
        if (!*line || *line == ';')
            continue;
        for (equals = line; *equals && *equals != '='; equals++)
            ;
        if (!*equals)
            return "no key = value";
        *equals = 0;
        *key = Trim(line);
        *value = Trim(equals + 1);
        if ((field = FieldOfKey(*key)) < 0)
            return "no such key";
        if (values[field])
            return "given twice";
        values[field] = *value;
    }
    return NULL;
}

BOOL CheckAnswers(char *section, DWORD listedPorts, PanelSettingsRecord *answers, BOOL *aligned,
                  char refusal[ANSWER_REFUSAL_SIZE])
{
    const char *values[PANEL_SETTING_COUNT];
    const char *key = "[" ANSWER_SECTION "]", *value = NULL, *why = NULL;
    char reason[REASON_SIZE], shownKey[SHOWN_SIZE], shownValue[SHOWN_SIZE];
    int corners = 0;

    for (int i = 0; i < PANEL_SETTING_COUNT; i++)
        values[i] = NULL;
    why = *section ? CollectValues(section, values, &key, &value) : "no such section";
    for (int i = 0; i < CORNER_FIELD_COUNT; i++)
        corners += values[i] ? 1 : 0;
    for (int i = 0; i < PANEL_SETTING_COUNT && !why; i++) {
        key = PanelSettingFields[i].Name;
        value = values[i];
        if (value)
            why = ParseWhole(value, i < CORNER_FIELD_COUNT, FieldIn(answers, &PanelSettingFields[i]));
        else if (i >= CORNER_FIELD_COUNT || corners > 0)
            why = i < CORNER_FIELD_COUNT ? "missing; corners: all eight or none" : "missing";
        if (value && !why)
            why = OutOfRange(i, *FieldIn(answers, &PanelSettingFields[i]), answers, listedPorts, reason);
    }
    *aligned = corners == CORNER_FIELD_COUNT;
    // The driver divides by the corners' spans.
    if (!why && *aligned && !CornersSpanThePanel(&answers->Corners)) {
        key = PanelSettingFields[0].Name;
        value = values[0];
        why = "the corners span no edge";
    }
    refusal[0] = 0;
    if (!why)
        return TRUE;
    // A long key or value is shown cut.
    lstrcpynA(shownKey, key, sizeof shownKey);
    lstrcpynA(shownValue, value ? value : "", sizeof shownValue);
    wsprintfA(refusal, value ? "Refused: %s = \"%s\": %s" : "Refused: %s: %s%s", shownKey,
              value ? shownValue : why, value ? why : "");
    return FALSE;
}

void ComposeAnswers(const PanelSettingsRecord *record, char section[ANSWER_SECTION_SIZE])
{
    char *end = section;

    for (int i = 0; i < PANEL_SETTING_COUNT; i++)
        end += wsprintfA(end, i < CORNER_FIELD_COUNT ? "%s=%ld" : "%s=%lu", PanelSettingFields[i].Name,
                         *FieldIn(record, &PanelSettingFields[i])) + 1;
    *end = 0;
}
