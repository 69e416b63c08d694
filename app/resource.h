// Resource and control identifiers of the program.
#pragma once

#define IDD_ABOUTBOX            100
#define IDS_ABOUTBOX            101
#define IDD_TALLYWISE_DIALOG    102
#define IDR_MAINFRAME           128
#define IDI_TOP                 145
#define IDI_NOTOP               147

#define IDC_EXPRESSION          1000
#define IDC_RESULT              1001
#define IDC_RESULT_BUTTON       1002
#define IDC_TOPMOST             1003
#define IDC_PRECISION           1005
#define IDC_LINK_HOME           1016
#define IDC_LINK_MAIL           1017

// Commands added to the system menu.
#define IDM_FONT                15
#define IDM_ABOUTBOX            16
