// Resource identifiers of the list of keys; its texts are in TextIds.h.
#pragma once

#define IDD_KEYS       104
#define IDC_KEYS_LIST  1020
