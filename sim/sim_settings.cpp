// The simulated driver's settings, from the QUARLO_SIM_* variables.
#include "sim_settings.h"

// The panel a machine without configuration gets: a 12-bit panel whose Y axis runs
// bottom to top and whose edges are well inside the raw range, so the first-run corners
// (0 to 1024 both ways) put the cursor nowhere near the finger until calibrated.
static const LONG DefaultPanel[4] = { 150, 3950, 3900, 180 };
static const DWORD DefaultCard[3] = { 1, 1016, 4 };

// Parses exactly count comma-separated decimals, signed ones when negatives are allowed;
// nine digits at most, so no value overflows.
static BOOL ParseNumbers(const char *text, LONG *numbers, int count, BOOL negatives)
{
    for (int found = 0; found < count; found++) {
        LONG sign = 1, value = 0;
        int digits = 0;
        if (found > 0 && *text++ != ',')
            return FALSE;
        if (negatives && *text == '-') {
            sign = -1;
            text++;
        }
        for (; *text >= '0' && *text <= '9'; text++, digits++)
            value = value * 10 + (*text - '0');
        if (digits == 0 || digits > 9)
            return FALSE;
        numbers[found] = sign * value;
    }
    return *text == 0;
}

// A comma list of open, probe and read; the faults named are set, the others cleared.
static BOOL ParseFaults(const char *list, SimulationSettings *settings)
{
    static const char *const words[3] = { "open", "probe", "read" };
    BOOL *const faults[3] = { &settings->FailOpen, &settings->FailProbe, &settings->FailRead };
    *faults[0] = *faults[1] = *faults[2] = FALSE;
    while (*list) {
        int length = 0, i;
        while (list[length] && list[length] != ',')
            length++;
        for (i = 0; i < 3; i++)
            if (length == lstrlenA(words[i]) && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, list,
                                                                length, words[i], length) == CSTR_EQUAL)
                break;
        if (i == 3)
            return FALSE;
        *faults[i] = TRUE;
        list += length;
        if (*list == ',' && *++list == 0)
            return FALSE;
    }
    return TRUE;
}

// 0 when the variable is unset, 1 when it is read, -1 when it does not fit the buffer.
static int ReadVariable(const char *name, char *buffer, DWORD size)
{
    DWORD length = GetEnvironmentVariableA(name, buffer, size);
    if (length == 0 || length >= size) {
        buffer[0] = 0;
        return length == 0 ? 0 : -1;
    }
    return 1;
}

BOOL ReadSimulationSettings(SimulationSettings *settings, const char **malformed)
{
    char text[128];
    LONG numbers[4];
    int i, found;

    *malformed = NULL;
    settings->CardPresent = TRUE;
    for (i = 0; i < 3; i++)
        settings->Card[i] = DefaultCard[i];
    found = ReadVariable("QUARLO_SIM_CARD", text, sizeof text);
    if (found && lstrcmpiA(text, "none") == 0) {
        settings->CardPresent = FALSE;
    } else if (found && (found < 0 || !ParseNumbers(text, numbers, 3, FALSE))) {
        *malformed = "QUARLO_SIM_CARD";
    } else if (found) {
        for (i = 0; i < 3; i++)
            settings->Card[i] = (DWORD)numbers[i];
    }

    for (i = 0; i < 4; i++)
        settings->Panel[i] = DefaultPanel[i];
    found = ReadVariable("QUARLO_SIM_PANEL", text, sizeof text);
    // Equal edges would give the panel no extent along that axis.
    if (found && (found < 0 || !ParseNumbers(text, numbers, 4, TRUE) || numbers[0] == numbers[1] ||
                  numbers[2] == numbers[3])) {
        *malformed = *malformed ? *malformed : "QUARLO_SIM_PANEL";
    } else if (found) {
        for (i = 0; i < 4; i++)
            settings->Panel[i] = numbers[i];
    }

    settings->Noise = 0;
    found = ReadVariable("QUARLO_SIM_NOISE", text, sizeof text);
    if (found && (found < 0 || !ParseNumbers(text, &settings->Noise, 1, FALSE)))
        *malformed = *malformed ? *malformed : "QUARLO_SIM_NOISE";
    if (ReadVariable("QUARLO_SIM_FAIL", text, sizeof text) < 0 || !ParseFaults(text, settings))
        *malformed = *malformed ? *malformed : "QUARLO_SIM_FAIL";
    if (ReadVariable("QUARLO_SIM_LOG", settings->LogPath, sizeof settings->LogPath) < 0)
        *malformed = *malformed ? *malformed : "QUARLO_SIM_LOG";
    return *malformed == NULL;
}
