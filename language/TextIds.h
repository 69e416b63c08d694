// Identifiers of the texts the window and the About box show, one string
// resource each in every language the program carries. The English texts and
// their translations are in po/; the build makes the string tables from them.
#pragma once

#define IDS_ABOUTBOX                  101

#define IDS_MENU_FONT                 2000
#define IDS_MENU_CLEAR_HISTORY        2001
#define IDS_MENU_LANGUAGE             2002
#define IDS_MENU_LANGUAGE_SYSTEM      2003
#define IDS_RESULT_BUTTON             2004
#define IDS_TIP_TOPMOST               2005
#define IDS_TIP_PRECISION             2006
#define IDS_TIP_RESULT                2007
// The tip with the number of decimal places: one text for each count, 0 to 9,
// so that every language writes its own plural.
#define IDS_TIP_DECIMALS              2010

#define IDS_PROMPT_ENTER              2032
#define IDS_PROMPT_PASTE_NUMBER       2033
#define IDS_PROMPT_PASTE_OPERATOR     2034
#define IDS_PROMPT_TOGETHER           2035
#define IDS_PROMPT_UNKNOWN            2036
#define IDS_PROMPT_MISSING_OPEN       2037
#define IDS_PROMPT_MISSING_CLOSE      2038
#define IDS_PROMPT_MISSING_BOTH       2039
#define IDS_PROMPT_TOO_LONG           2040

#define IDS_FAULT_CAPTION             2048
#define IDS_FAULT_DIVISION            2049
#define IDS_FAULT_OVERFLOW            2050
#define IDS_FAULT_EVEN_ROOT           2051
#define IDS_FAULT_ZERO_DEGREE         2052

#define IDS_HISTORY_NOT_SAVED_CAPTION 2064
#define IDS_HISTORY_READ_ONLY         2065
#define IDS_HISTORY_NOT_A_FILE        2066
#define IDS_HISTORY_NOT_WRITTEN       2067
#define IDS_CLEAR_HISTORY_CAPTION     2068
#define IDS_CLEAR_HISTORY_QUESTION    2069

#define IDS_ABOUT_CAPTION             2080
#define IDS_ABOUT_VERSION             2081
#define IDS_ABOUT_OK                  2082
#define IDS_ABOUT_HOME                2083
#define IDS_ABOUT_MAIL                2084
#define IDS_ABOUT_MAIL_TIP            2085
#define IDS_ABOUT_HOME_TIP            2086

// What screen readers call the main window's controls.
#define IDS_ACC_EXPRESSION            2096
#define IDS_ACC_PROMPT                2097
#define IDS_ACC_RESULT                2098
#define IDS_ACC_TOPMOST               2099
#define IDS_ACC_DECIMALS              2100
#define IDS_ACC_EXACT_MARK            2101

// Exact arithmetic: its system menu entry, and the note of the mark beside a
// classic result that differs from the exact value.
#define IDS_MENU_EXACT                2112
#define IDS_EXACT_NOTE                2113

// The live result, the digit grouping and the list of keys: their system menu
// entries, and the list's dialog.
#define IDS_MENU_LIVE_RESULT          2128
#define IDS_MENU_DIGIT_GROUPING       2129
#define IDS_MENU_KEYS                 2130
#define IDS_KEYS_CAPTION              2131
#define IDS_KEYS_CLOSE                2132
// How the list names an entry of the system menu: "Alt+Space, %c".
#define IDS_KEYS_MENU_KEY             2133
// The rows of the list, "key<TAB>action", in this order.
#define IDS_KEYS_ROW_ENTER            2144
#define IDS_KEYS_ROW_ALT_R            2145
#define IDS_KEYS_ROW_UP_DOWN          2146
#define IDS_KEYS_ROW_PAGE             2147
#define IDS_KEYS_ROW_COPY             2148
#define IDS_KEYS_ROW_PASTE            2149
#define IDS_KEYS_ROW_TAB              2150
#define IDS_KEYS_ROW_ESCAPE           2151
#define IDS_KEYS_ROW_MENU             2152
#define IDS_KEYS_FIRST_ROW            IDS_KEYS_ROW_ENTER
#define IDS_KEYS_ROW_COUNT            9
