// The status file of a quiet run, for the management server that started it: the standard
// status MIF, <Windows directory>\<name>.MIF, written just before the log's last line.
#include "status_file.h"
#include "command_line.h"
#include "run_log.h"
#include "settings.h"
#include "version.h"

// The values the attributes take: the product's, then the run's.
enum StatusValue {
    MANUFACTURER_VALUE, PRODUCT_VALUE, VERSION_VALUE, LOCALE_VALUE, SERIAL_VALUE, INSTALLED_VALUE, OUTCOME_VALUE,
    DESCRIPTION_VALUE, STATUS_VALUES
};

// Every attribute is a string of at most Width characters, numbered within its group.
struct StatusAttribute {
    const char *Name;
    WORD Width;
    WORD Value;
};

static const StatusAttribute ComponentAttributes[] = {
    { "Manufacturer", 64, MANUFACTURER_VALUE }, { "Product", 64, PRODUCT_VALUE }, { "Version", 64, VERSION_VALUE },
    { "Locale", 16, LOCALE_VALUE }, { "Serial Number", 64, SERIAL_VALUE }, { "Installation", 64, INSTALLED_VALUE },
};
static const StatusAttribute OutcomeAttributes[] = {
    { "Status", 32, OUTCOME_VALUE }, { "Description", STATUS_REASON_SIZE, DESCRIPTION_VALUE },
};

// The server reads the product from the first group and the outcome from the second; groups
// are numbered in their order.
struct StatusGroup {
    const char *Name;
    const char *Class;
    const StatusAttribute *Attributes;
    int Count;
};

enum { COMPONENT_ATTRIBUTES = sizeof ComponentAttributes / sizeof ComponentAttributes[0] };
enum { OUTCOME_ATTRIBUTES = sizeof OutcomeAttributes / sizeof OutcomeAttributes[0] };

static const StatusGroup StatusGroups[] = {
    { "ComponentID", "DMTF|ComponentID|1.0", ComponentAttributes, COMPONENT_ATTRIBUTES },
    { "InstallStatus", "MICROSOFT|JOBSTATUS|1.0", OutcomeAttributes, OUTCOME_ATTRIBUTES },
};
enum { STATUS_GROUPS = sizeof StatusGroups / sizeof StatusGroups[0] };

static const char *StatusFilePath;
char StatusInstallation[RUN_TIME_SIZE];
const char *StatusDescription;

int ComposeStatusFile(char *text, int code, const char *reason, const char *installed)
{
    char description[2 * STATUS_REASON_SIZE + 1], *out = description;
    const char *values[STATUS_VALUES] = {
        VELMORA_COMPANY, UNINSTALL_NAME, VELMORA_VERSION, "ENU", "", installed,
        code == EXIT_DONE || code == EXIT_RESTART_NEEDED ? "Success" : "Failed", description,
    };
    int used = wsprintfA(text, "START COMPONENT\r\nNAME = \"WORKSTATION\"\r\n");

    // A MIF's literal strings escape a backslash and a double quote with a backslash, and a
    // refusal may hold both: a path, a value in quotes.
    for (const char *in = reason; *in && in < reason + STATUS_REASON_SIZE; *out++ = *in++)
        if (*in == '\\' || *in == '"')
            *out++ = '\\';
    *out = 0;
    for (int g = 0; g < STATUS_GROUPS; g++) {
        const StatusGroup *group = &StatusGroups[g];
        used += wsprintfA(text + used, "START GROUP\r\nNAME = \"%s\"\r\nID = %d\r\nCLASS = \"%s\"\r\n", group->Name,
                          g + 1, group->Class);
        for (int i = 0; i < group->Count; i++) {
            const StatusAttribute *attribute = &group->Attributes[i];
            used += wsprintfA(text + used,
                              "START ATTRIBUTE\r\nNAME = \"%s\"\r\nID = %d\r\nACCESS = READ-ONLY\r\nSTORAGE = SPECIFIC\r\n"
                              "TYPE = STRING(%d)\r\nVALUE = \"%s\"\r\nEND ATTRIBUTE\r\n",
                              attribute->Name, i + 1, attribute->Width, values[attribute->Value]);
        }
        used += wsprintfA(text + used, "END GROUP\r\n");
    }
    return used + wsprintfA(text + used, "END COMPONENT\r\n");
}

// A file that cannot be written costs the run nothing but the line that says so: its outcome
// is in its exit code and log.
static void WriteStatusFile(int code, const char *reason)
{
    char text[STATUS_FILE_SIZE];
    DWORD length = (DWORD)ComposeStatusFile(text, code, StatusDescription ? StatusDescription : reason,
                                            StatusInstallation), written = 0;
    HANDLE file = CreateFileA(StatusFilePath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);

    if (file != INVALID_HANDLE_VALUE) {
        WriteFile(file, text, length, &written, NULL);
        CloseHandle(file);
    }
    LogStep(written == length, "Write the status file %s", StatusFilePath);
}

void ReportRunInStatusFile(const char *path)
{
    StatusFilePath = path;
    StatusInstallation[0] = 0;
    StatusDescription = NULL;
    if (path[0])
        RunEndReport = WriteStatusFile;
}
