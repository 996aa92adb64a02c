// The answer file on disk: read and checked for a replay, written after a recorded
// installation.
#include "answer_file.h"
#include "answers.h"
#include "serial_port_map.h"
#include "run_log.h"

// Apart from the stack: a frame this large would need a stack probe of the C runtime.
static char Section[ANSWER_SECTION_SIZE];

BOOL ReadAnswerFile(const char *path, PanelSettingsRecord *answers, BOOL *aligned)
{
    char refusal[ANSWER_REFUSAL_SIZE];
    DWORD attributes = GetFileAttributesA(path);

    // The profile calls read a missing file as an empty one.
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        LogLine("Refused: %s is missing", path);
        return FALSE;
    }
    if (GetPrivateProfileSectionA(ANSWER_SECTION, Section, sizeof Section, path) >= sizeof Section - 2) {
        LogLine("Refused: %s is too long", path);
        return FALSE;
    }
    if (!CheckAnswers(Section, ListedSerialPorts(), answers, aligned, refusal)) {
        LogLine("%s", refusal);
        return FALSE;
    }
    return LogStep(TRUE, "Read the answers from %s", path);
}

BOOL WriteAnswerFile(const char *path, const PanelSettingsRecord *record)
{
    BOOL written;

    ComposeAnswers(record, Section);
    // Afresh: the sections and keys of a file that was there have no place in the answers.
    DeleteFileA(path);
    written = WritePrivateProfileSectionA(ANSWER_SECTION, Section, path);
    // Windows 95 keeps profile writes in a cache until it is told to write them out.
    WritePrivateProfileStringA(NULL, NULL, NULL, path);
    return LogStep(written, "Write the answers to %s", path);
}
