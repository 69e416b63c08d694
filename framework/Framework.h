// The application framework the program is written against: application
// object, windows with message maps, modal dialogs with data exchange, the
// controls, fonts, brushes, icons, the font chooser, the display scale and the
// colours the user chose.
#pragma once

#include "Brush.h"
#include "CString.h"
#include "Collections.h"
#include "Controls.h"
#include "DataExchange.h"
#include "Dialog.h"
#include "Dpi.h"
#include "Font.h"
#include "FontDialog.h"
#include "Icon.h"
#include "MessageMap.h"
#include "SystemTheme.h"
#include "ToolTipCtrl.h"
#include "WinApp.h"
#include "Wnd.h"
