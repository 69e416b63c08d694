// The list the dialog keeps the settings file's lines in.
#pragma once

#include <vector>

#include "CString.h"

using CStringArray = std::vector<CString>;
