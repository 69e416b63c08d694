// Resource identifiers of the live result, the digit grouping and the list of
// keys: their entries in the system menu, the keys dialog and its texts.
#pragma once

#define IDD_KEYS       104
#define IDC_KEYS_LIST  1020

#define IDS_LIVE_RESULT    200
#define IDS_DIGIT_GROUPING 201
#define IDS_KEYS           202
#define IDS_KEYS_CAPTION   203
#define IDS_KEYS_CLOSE     204
// How the list names an entry of the system menu: "Alt+Space, %c".
#define IDS_KEYS_MENU_KEY  205
// The rows of the list, "key<TAB>action", in this order.
#define IDS_KEYS_FIRST_ROW 210
#define IDS_KEYS_ROW_COUNT 9
