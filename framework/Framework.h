// The application framework the program is written against: application
// object, windows with message maps, modal dialogs with data exchange, the
// controls, fonts and the font chooser.
#pragma once

#include "CString.h"
#include "Collections.h"
#include "Controls.h"
#include "DataExchange.h"
#include "Dialog.h"
#include "Font.h"
#include "FontDialog.h"
#include "MessageMap.h"
#include "ToolTipCtrl.h"
#include "WinApp.h"
#include "Wnd.h"
