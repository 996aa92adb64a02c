// The status file of a quiet run, for the management server that started it: the standard
// status MIF, <Windows directory>\<name>.MIF, written just before the log's last line.
#include "status_file.h"
#include "command_line.h"
#include "run_log.h"
#include "settings.h"
#include "version.h"

// The server reads the product from the first group and the outcome from the second; every
// attribute is a string of at most Width characters, numbered within its group.
struct StatusAttribute {
    const char *Name;
    int Width;
};

static const StatusAttribute StatusAttributes[] = {
    { "Manufacturer", 64 }, { "Product", 64 }, { "Version", 64 }, { "Locale", 16 },
    { "Serial Number", 64 }, { "Installation", 64 }, { "Status", 32 }, { "Description", STATUS_REASON_SIZE },
};
enum { COMPONENT_ATTRIBUTES = 6, STATUS_ATTRIBUTES = sizeof StatusAttributes / sizeof StatusAttributes[0] };

static const char *const StatusGroups[2] = {
    "START GROUP\r\nNAME = \"ComponentID\"\r\nID = 1\r\nCLASS = \"DMTF|ComponentID|1.0\"\r\n",
    "END GROUP\r\nSTART GROUP\r\nNAME = \"InstallStatus\"\r\nID = 2\r\nCLASS = \"MICROSOFT|JOBSTATUS|1.0\"\r\n",
};

static const char *StatusFilePath;
char StatusInstallation[RUN_TIME_SIZE];
const char *StatusDescription;

int ComposeStatusFile(char *text, int code, const char *reason, const char *installed)
{
    char description[2 * STATUS_REASON_SIZE + 1], *out = description;
    const char *values[STATUS_ATTRIBUTES] = {
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
    for (int i = 0; i < STATUS_ATTRIBUTES; i++) {
        if (i % COMPONENT_ATTRIBUTES == 0)
            used += wsprintfA(text + used, "%s", StatusGroups[i / COMPONENT_ATTRIBUTES]);
        used += wsprintfA(text + used,
                          "START ATTRIBUTE\r\nNAME = \"%s\"\r\nID = %d\r\nACCESS = READ-ONLY\r\nSTORAGE = SPECIFIC\r\n"
                          "TYPE = STRING(%d)\r\nVALUE = \"%s\"\r\nEND ATTRIBUTE\r\n",
                          StatusAttributes[i].Name, i % COMPONENT_ATTRIBUTES + 1, StatusAttributes[i].Width, values[i]);
    }
    return used + wsprintfA(text + used, "END GROUP\r\nEND COMPONENT\r\n");
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
