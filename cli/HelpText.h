// The texts the tool shows about itself.
#pragma once

#include <string>
#include <string_view>

// --help: the usage, the calculator's rules that surprise, the exit statuses.
std::string HelpText();

// A usage error in one line, and where to read more.
std::string UsageErrorText(std::string_view complaint);
