// Numbers of the desktop program's dialog templates, dialog items, icons and
// bitmaps. Plain macros, so that the resource compiler reads this file too.
#pragma once

// Dialogs.
#define IDD_ABOUT 100
#define IDD_FORM 107
#define IDD_INPUT_BOX 130
#define IDD_OUTPUT_BOX 132
#define IDD_LOADING 134
#define IDD_USER_PASSWORD 162
#define IDD_FORM_INFO 163

// Dialog items.
#define IDC_TEMPLATE_COMBO 1002
#define IDC_TEMPLATE_EDIT 1003
#define IDC_PASSWORD 1004
#define IDC_FORM_INFO_TEXT 1004
#define IDC_INPUT_PROMPT 1005
#define IDC_INPUT_TEXT 1006
#define IDC_OUTPUT_TEXT 1007
#define IDC_OUTPUT_PROMPT 1008
#define IDC_ABOUT_PLATFORM 1009
#define IDC_AUTH_PROMPT 1016
#define IDC_USER_NAME 1017
#define IDC_FORM_FORMAT 1018

// Icons.
#define IDI_QUORL 100
#define IDI_BUSY 156
#define IDI_STOP 160

// Bitmaps.
#define IDB_ABOUT_PICTURE 117
#define IDB_ABOUT_MASK 125
#define IDB_SPLASH 133
#define IDB_SPLASH_MARK 138
#define IDB_PROGRESS 159
