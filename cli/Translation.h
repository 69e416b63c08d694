// The tool's words in the user's language, as GNU tools find it: gettext
// reads LANGUAGE, LC_ALL, LC_MESSAGES and LANG, and the catalogs made from
// po/. Numbers never follow the language: they are always written and read
// with a point. The Windows build speaks English.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "Checker.h"
#include "Operators.h"

// Once, before anything is written.
void UseUserLanguage();

// The translation of an English text of the tool's, or the English itself.
const char* Translate(const char* english);

// The prompt's wording, and the fault's message, in the user's language.
std::string_view PromptWordingForUser(Prompt prompt);
const char* FaultMessageForUser(ComputeFault fault);

// Each %s, %c and %d of the pattern replaced by the next value, in order.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values);
