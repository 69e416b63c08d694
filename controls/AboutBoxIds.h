// Resource and control identifiers of the About box.
#pragma once

#include "TallywiseIdentity.h"

#define IDD_ABOUTBOX  100
#define IDC_LINK_HOME 1016
#define IDC_LINK_MAIL 1017

// The program's own icon, which the box shows beside its name; the program's
// resources supply it under this id.
#define IDR_MAINFRAME TALLYWISE_ICON_ID
