// The texts the tool shows about itself.
#pragma once

#include <string>
#include <string_view>

// --help: the usage, the calculator's rules that surprise, the exit statuses.
std::string HelpText();

// --version: the version, then the copyright and the licence, as GNU tools
// print them.
std::string VersionText();

// A usage error in one line, and where to read more.
std::string UsageErrorText(std::string_view complaint);
