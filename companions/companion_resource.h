/* Resource identifiers of the companion programs' own windows. Buttons that close a window
   are IDOK and IDCANCEL, so Enter, Escape and the close box work as in any dialog. */
#ifndef VELMORA_COMPANION_RESOURCE_H
#define VELMORA_COMPANION_RESOURCE_H

/* Templates, numbered apart from setup's */
#define IDD_PADMON       201
#define IDD_TUNER        202
#define IDD_CHECK        203

/* 201 PadmonWindow */
#define IDC_PADMON_PORT        2001
#define IDC_PADMON_BUTTON      2002
#define IDC_PADMON_MODE        2003
#define IDC_PADMON_LEFT_UP     2004
#define IDC_PADMON_RIGHT_UP    2005
#define IDC_PADMON_LEFT_DN     2006
#define IDC_PADMON_RIGHT_DN    2007
#define IDC_PADMON_STARTUP     2008
#define IDC_PADMON_DRIVER_FILE 2009
#define IDC_PADMON_TEST_AREA   2010
#define IDC_PADMON_POINT       2011
#define IDC_PADMON_PROGRAMS    2012
#define IDC_PADMON_ASIDE       2013
#define IDC_PADMON_UNINSTALL   2014
#define IDC_PADMON_CHECK       2015
#define IDC_PADMON_ALIGNED     2016

/* 203 CheckScreen, PADMON's check of the alignment; Close is IDCANCEL */
#define IDC_CHECK_HOW          2031
#define IDC_CHECK_PROGRESS     2032
#define IDC_CHECK_ERRORS       2033
#define IDC_CHECK_VERDICT      2034
#define IDC_CHECK_SCALE        2035
#define IDC_CHECK_RETRY        2036

/* 202 TunerWindow */
#define IDC_TUNER_MODE1        2021
#define IDC_TUNER_MODE2        2022
#define IDC_TUNER_MODE3        2023
#define IDC_TUNER_RIGHT_BUTTON 2024

#endif
