// Resource and control identifiers of the main window.
#pragma once

#include "AboutBoxIds.h"  // IDR_MAINFRAME, the icon both windows show

#define IDS_ABOUTBOX         101
#define IDD_TALLYWISE_DIALOG 102
#define IDI_TOP              145
#define IDI_NOTOP            147

#define IDC_EXPRESSION    1000
#define IDC_RESULT        1001
#define IDC_RESULT_BUTTON 1002
#define IDC_TOPMOST       1003
#define IDC_PRECISION     1005
#define IDC_EXACT_MARK    1006

// Commands added to the system menu.
#define IDM_FONT          15
#define IDM_ABOUTBOX      16
#define IDM_CLEAR_HISTORY 32
#define IDM_EXACT_ARITHMETIC 48
#define IDM_LIVE_RESULT      64
#define IDM_DIGIT_GROUPING   80
#define IDM_KEYS             96
#define IDM_LANGUAGE         112
// A language submenu's entries, one every 16 from here.
#define IDM_LANGUAGE_FIRST   0x200
