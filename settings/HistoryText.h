// The history file's text: one expression a line, each ended by CR LF, with
// the backslash, CR and LF inside an expression written as \\, \r and \n so
// that every expression comes back as it was given. Nothing here touches a
// file, so a damaged or foreign file can be tried alone.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The newest expressions kept; older ones are left out when the file is read.
inline constexpr std::size_t kHistoryLineCount = 100;
// The longest expression kept, in bytes: as much as the expression field holds
// when typed into. A longer one is neither written nor read.
inline constexpr std::size_t kHistoryExpressionLimit = 32767;
// Bytes read from the start of the file: room for a full history of the
// longest expressions, every byte escaped, and no more.
inline constexpr std::size_t kHistoryReadLimit = kHistoryLineCount * (2 * kHistoryExpressionLimit + 2);

// The file's lines for the expressions, oldest first, each to be ended by
// CR LF as the settings file's lines are.
std::vector<std::string> HistoryLinesOf(const std::vector<std::string>& expressions);

// The newest kHistoryLineCount expressions that the text holds sound, oldest
// first. A line ends with LF, with or without CR before it; a last line
// without either counts unless `cutShort` says the text stopped at the read
// limit. A line is passed over when it is empty, too long, holds a NUL or a
// stray CR, or an escape other than \\, \r, \n: the rest is still read.
std::vector<std::string> ParseHistoryText(std::string_view text, bool cutShort);
