/* Resource identifiers of the companion programs' own windows. Buttons that close a window
   are IDOK and IDCANCEL, so Enter, Escape and the close box work as in any dialog. */
#ifndef VELMORA_COMPANION_RESOURCE_H
#define VELMORA_COMPANION_RESOURCE_H

/* Templates, numbered apart from setup's */
#define IDD_PANEL_MONITOR       201
#define IDD_TOUCH_TUNING        202

/* 201 PanelMonitor */
#define IDC_MONITOR_PORT        2001
#define IDC_MONITOR_BUTTON      2002
#define IDC_MONITOR_MODE        2003
#define IDC_MONITOR_LEFT_UP     2004
#define IDC_MONITOR_RIGHT_UP    2005
#define IDC_MONITOR_LEFT_DN     2006
#define IDC_MONITOR_RIGHT_DN    2007
#define IDC_MONITOR_STARTUP     2008
#define IDC_MONITOR_DRIVER_FILE 2009
#define IDC_MONITOR_TEST_AREA   2010
#define IDC_MONITOR_POINT       2011
#define IDC_MONITOR_PROGRAMS    2012

/* 202 TouchTuning */
#define IDC_TUNING_MODE1        2021
#define IDC_TUNING_MODE2        2022
#define IDC_TUNING_MODE3        2023
#define IDC_TUNING_RIGHT_BUTTON 2024

#endif
