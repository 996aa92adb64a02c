/* Resource identifiers of the setup wizard, grouped by template. The numbers are fixed:
   the page code, the tests and the companion programs all address controls by them. */
#ifndef VELMORA_RESOURCE_H
#define VELMORA_RESOURCE_H

/* Images */
#define IDI_SETUP               101   /* application icon: the diskette */
#define IDB_TARGET              109   /* calibration target, 32 x 32 */
#define IDI_TOUCH               117   /* page icon: hand touching a monitor */
#define IDB_WELCOME             118   /* "Welcome" */
#define IDB_WORDMARK            120   /* product word mark */
#define IDB_ALIGN_TITLE         126   /* "Screen Alignment" */

/* Templates */
#define IDD_SUMMARY             114
#define IDD_CALIBRATION         115
#define IDD_WELCOME             121
#define IDD_PORT                122
#define IDD_MODE                123
#define IDD_RIGHT_BUTTON        124
#define IDD_FINISH              125

/* Buttons shared by the pages. Back, Next, Cancel and Retry mean the same button on every
   page that has them; 1044 is the one button that ends a page for good, OK on the
   calibration screen and Reboot on the finish page, two names for the templates' one id */
#define IDC_BACK                1060
#define IDC_NEXT                1061
#define IDC_CANCEL              1062
#define IDC_OK                  1044  /* OK on the calibration screen */
#define IDC_REBOOT              1044  /* Reboot on the finish page */
#define IDC_RETRY               1063

/* 122 PortPage */
#define IDC_COM1                1003
#define IDC_COM2                1004
#define IDC_COM3                1005
#define IDC_COM4                1006
#define IDC_IRQ4                1040
#define IDC_IRQ3                1041
#define IDC_IRQ5                1042
#define IDC_IRQ7                1043

/* 124 RightButtonPage */
#define IDC_RIGHT_BUTTON        1024

/* 114 SummaryPage */
#define IDC_PORT_LINE           1067
#define IDC_BUTTON_LINE         1068

/* 115 CalibrationScreen */
#define IDC_TARGET_LEFT_UP      1018
#define IDC_TARGET_RIGHT_UP     1019
#define IDC_TARGET_LEFT_DN      1020
#define IDC_TARGET_RIGHT_DN     1021
#define IDC_HOW_1               1027
#define IDC_HOW_2               1073
#define IDC_HOW_3               1074
#define IDC_HOW_4               1028
#define IDC_HOW_5               1075
#define IDC_TRY_1               1029
#define IDC_TRY_2               1030
#define IDC_DISPLAY_SIZE        1031
#define IDC_ALIGN_WORDMARK      1059
#define IDC_ALIGN_TITLE         1065
/* ALIGNER.EXE adds these to 115 when it opens the screen; no template has them */
#define IDC_TARGET_CENTRE       1022
#define IDC_ALIGN_NOTE          1023
#define IDC_ALIGN_CENTRE_HOW    1025  /* what to do with the centre target */

/* 125 FinishPage */
#define IDC_PROGRESS            1072
#define IDC_ANSWER_LINE         1076  /* hidden unless a recorded run's answers cannot be written */

/* 123 ModePage: documents the stored Mode value, opened by no page */
#define IDC_MODE1               1036
#define IDC_MODE2               1037
#define IDC_MODE3               1038

#endif
