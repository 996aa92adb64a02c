// The answers of an answer file, checked and composed without touching anything: section
// [Velmora], one key per stored field, named as the field, in decimal.
#ifndef VELMORA_ANSWERS_H
#define VELMORA_ANSWERS_H

#include <windows.h>
#include "settings.h"

#define ANSWER_SECTION "Velmora"
// A file or a section longer than these holds far more than 13 keys; it is refused as a whole.
// A refusal has room for a path of 255 characters and why.
enum { ANSWER_FILE_SIZE = 32768, ANSWER_SECTION_SIZE = 4096, ANSWER_REFUSAL_SIZE = 288, CORNER_FIELD_COUNT = 8 };

// The lines of every [Velmora] section of an answer file's text (ANSI; lines end in CR LF,
// LF or CR), blank and comment lines left out, as "line" strings with an empty one last.
// Every section of that name counts: the profile calls read only the first, and a key given
// again further down must be seen to be refused. FALSE when they do not fit the section.
BOOL GatherAnswerSections(const char *text, DWORD length, char section[ANSWER_SECTION_SIZE]);

// Checks a section as GatherAnswerSections gives it ("key=value" strings, an empty one
// last; edited in place). Every field's key must be there once, as a whole number in its
// range: ComPort 1 to 4 and in listedPorts (bit n - 1 for COM n), ComBase the port table's
// base for that port, ComIrq 3, 4, 5 or 7, Mode 1 to 3, RightButton 0 or 1, the corners
// signed and 32-bit, all eight or none, and spanning the panel. TRUE with the answers and
// whether they hold corners; FALSE with a line that names the key and the value refused.
BOOL CheckAnswers(char *section, DWORD listedPorts, PanelSettingsRecord *answers, BOOL *aligned,
                  char refusal[ANSWER_REFUSAL_SIZE]);

// The section for record, as WritePrivateProfileSectionA takes it, the values exactly as
// stored: corners signed, the rest unsigned.
void ComposeAnswers(const PanelSettingsRecord *record, char section[ANSWER_SECTION_SIZE]);

#endif
