// The languages the window speaks, and the texts it shows in the one in use.
// The texts are string resources in every language (TextIds.h); a text a
// language lacks is shown in English.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

struct UiLanguage {
  std::string_view tag;    // as the choices file keeps it: de, pt-BR, zh-CN, en
  LANGID id;               // the language of its string tables
  const wchar_t* ownName;  // as its speakers write it, for the language menu
};

// English first, then the others in the order the language menu lists them.
std::span<const UiLanguage> UiLanguages();
const UiLanguage* FindUiLanguage(std::string_view tag);

// The program's language for a Windows user-interface language: the same
// language where the program has it (any country's German is German;
// Portuguese is Brazil's, Chinese the simplified script's), else English.
const UiLanguage& UiLanguageFor(LANGID system);

// The tag chosen, or for none (or one this version does not know) the
// language Windows shows its own texts in. Lasts until the next call.
void UseUiLanguage(std::string_view chosenTag);
const UiLanguage& CurrentUiLanguage();

// The text in the language in use; in English where that language lacks it;
// empty when there is no such text.
std::wstring LoadText(UINT id);
// The text of `count` in a text that has one form for each count from 0 to 9.
std::wstring LoadCountedText(UINT firstId, int count);

// Each %s, %c and %d of the pattern replaced by the next value, in order.
std::wstring FormatText(std::wstring_view pattern, std::initializer_list<std::wstring_view> values);

// Bytes of the ANSI code page (the fields' text) and UTF-8, as UTF-16.
std::wstring WideFromAnsi(std::string_view text);
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
