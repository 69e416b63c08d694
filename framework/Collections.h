// Lists the dialog keeps: the settings file's lines and the evaluator's work lists.
#pragma once

#include <cstdint>
#include <vector>

#include "CString.h"

using CStringArray = std::vector<CString>;
using CIntArray = std::vector<std::int32_t>;
