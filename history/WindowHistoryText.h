// The history file's text: one expression a line, each ended by CR LF, with
// the backslash, CR and LF inside an expression written as \\, \r and \n so
// that every expression comes back as it was given. Nothing here touches a
// file, so a damaged or foreign file can be tried alone.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "HistoryLines.h"

// The longest expression kept, in bytes. A longer one (a long sum pasted into
// the field) is neither written nor read, so that the file stays small.
inline constexpr std::size_t kHistoryExpressionLimit = 32767;
// Bytes read from the end of the file: room for a full history of the
// longest expressions, every byte escaped, and no more.
inline constexpr std::size_t kHistoryReadLimit = kWindowHistoryLength * (2 * kHistoryExpressionLimit + 2);

// The file's lines for the expressions, oldest first, each to be ended by
// CR LF as the settings file's lines are.
std::vector<std::string> HistoryLinesOf(const std::vector<std::string>& expressions);

// The newest kWindowHistoryLength expressions that the text holds sound, oldest
// first. A line ends with LF, with or without CR before it; a last line
// without either counts. `cutShort` says that the text is the end of a longer
// file, so that its first line, up to the first LF, may be part of one. A line
// is passed over when it is empty, too long, holds a NUL or a stray CR, or an
// escape other than \\, \r, \n: the rest is still read.
std::vector<std::string> ParseHistoryText(std::string_view text, bool cutShort);
