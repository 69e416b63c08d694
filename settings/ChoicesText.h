// The choices file's text: the user's choices that came after the settings
// file's eight lines were fixed. They live in a file of their own beside it,
// which a version that knows nothing of them never reads, so the settings file
// stays exactly as every version writes it. One "key=value" line a choice.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Bytes read from the start of the file; a longer file is no choices file.
inline constexpr std::size_t kChoicesReadLimit = 4096;

struct Choices {
  bool exactArithmetic = false;  // exact=1
  bool liveResult = false;       // live-result=1
  bool digitGrouping = false;    // digit-grouping=1
  // language=TAG: a language tag such as "de" or "pt-BR"; empty follows the
  // language of Windows' user interface.
  std::string language;
  bool fontUnderline = false;  // font-underline=1
  bool fontStrikeout = false;  // font-strikeout=1
  // Lines this version does not know, a later version's choices among them:
  // written back as they were read, so that no copy of the program loses
  // another's choices.
  std::vector<std::string> otherLines;
};

// The choices a text holds, each one that is missing or does not read at its
// default. Lines end with LF or CR LF; a line without "=" is kept as it is.
Choices ParseChoicesText(std::string_view text);

// The lines that store the choices, the unknown ones last.
std::vector<std::string> ChoicesLinesOf(const Choices& choices);
