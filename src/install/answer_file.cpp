// The answer file on disk: read and checked for a replay, written after a recorded
// installation.
#include "answer_file.h"
#include "answers.h"
#include "serial_port_map.h"
#include "run_log.h"

// Apart from the stack: frames this large would need a stack probe of the C runtime. The
// file is read as words so that a UTF-16 file's characters are aligned.
static char Section[ANSWER_SECTION_SIZE];
static WCHAR FileWords[ANSWER_FILE_SIZE / 2];
static char Decoded[ANSWER_FILE_SIZE];

// The file's text as ANSI, its byte-order mark taken off; NULL when it cannot be read whole, with
// *length ANSWER_FILE_SIZE when it is that long or longer.
static const char *ReadAnswerText(const char *path, DWORD *length)
{
    char *bytes = (char *)FileWords;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    BOOL read;

    if (file == INVALID_HANDLE_VALUE)
        return NULL;
    read = ReadFile(file, bytes, sizeof FileWords, length, NULL) && *length < sizeof FileWords;
    CloseHandle(file);
    if (!read)
        return NULL;
    if (*length >= 3 && (BYTE)bytes[0] == 0xEF && (BYTE)bytes[1] == 0xBB && (BYTE)bytes[2] == 0xBF) {
        *length -= 3;
        return bytes + 3;
    }
    if (*length < 2 || !(((BYTE)bytes[0] == 0xFF && (BYTE)bytes[1] == 0xFE) ||
                         ((BYTE)bytes[0] == 0xFE && (BYTE)bytes[1] == 0xFF)))
        return bytes;
    // Big-endian words turned round first; WideCharToMultiByte takes little-endian ones.
    if ((BYTE)bytes[0] == 0xFE)
        for (DWORD i = 0; i + 1 < *length; i += 2) {
            char first = bytes[i];
            bytes[i] = bytes[i + 1];
            bytes[i + 1] = first;
        }
    *length = (DWORD)WideCharToMultiByte(CP_ACP, 0, FileWords + 1, (int)(*length / 2 - 1), Decoded,
                                         sizeof Decoded, NULL, NULL);
    return Decoded;
}

BOOL ReadAnswerFile(const char *path, PanelSettingsRecord *answers, BOOL *aligned, char refusal[ANSWER_REFUSAL_SIZE])
{
    DWORD attributes = GetFileAttributesA(path), length = 0;
    const char *text = NULL;

    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        wsprintfA(refusal, "Refused: %s is missing", path);
    else if (!(text = ReadAnswerText(path, &length)) && length < ANSWER_FILE_SIZE)
        wsprintfA(refusal, "Refused: %s cannot be read", path);
    else if (!text || !GatherAnswerSections(text, length, Section))
        wsprintfA(refusal, "Refused: %s is too long", path);
    else if (CheckAnswers(Section, ListedSerialPorts(), answers, aligned, refusal))
        return LogStep(TRUE, "Read the answers from %s", path);
    LogLine("%s", refusal);
    return FALSE;
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
