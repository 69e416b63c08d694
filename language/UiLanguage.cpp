#include "UiLanguage.h"

#include <algorithm>
#include <array>

#include "Placeholders.h"
#include "WinApp.h"

namespace {

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

constexpr std::array kLanguages = {
    UiLanguage{"en", kEnglish, L"English"},
    UiLanguage{"de", MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), L"Deutsch"},
    UiLanguage{"es", MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN), L"Espa\u00F1ol"},
    UiLanguage{"fr", MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH), L"Fran\u00E7ais"},
    UiLanguage{"it", MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN), L"Italiano"},
    UiLanguage{"pl", MAKELANGID(LANG_POLISH, SUBLANG_DEFAULT), L"Polski"},
    UiLanguage{"pt-BR", MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN), L"Portugu\u00EAs (Brasil)"},
    UiLanguage{"ru", MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT), L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439"},
    UiLanguage{"ja", MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), L"\u65E5\u672C\u8A9E"},
    UiLanguage{"zh-CN", MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), L"\u7B80\u4F53\u4E2D\u6587"},
};

const UiLanguage* g_current = &kLanguages[0];

// The string resources come in blocks of sixteen, each a count of UTF-16
// units and the units; the block of an id is id / 16 + 1.
std::wstring FindText(UINT id, LANGID language) {
  const HMODULE module = AfxGetResourceHandle();
  const HRSRC block = ::FindResourceExW(module, MAKEINTRESOURCEW(6) /* RT_STRING */,
                                        MAKEINTRESOURCEW(id / 16 + 1), language);
  if (!block) return {};
  const auto* unit = static_cast<const WCHAR*>(::LockResource(::LoadResource(module, block)));
  if (!unit) return {};
  const WCHAR* end = unit + ::SizeofResource(module, block) / sizeof(WCHAR);
  for (UINT i = 0; i < id % 16 && unit < end; ++i)
    unit += 1 + *unit;
  if (unit >= end || unit + 1 + *unit > end) return {};
  return std::wstring(unit + 1, *unit);
}

std::wstring WideFrom(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int size = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(std::max(size, 0)), L'\0');
  ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

}  // namespace

std::span<const UiLanguage> UiLanguages() { return kLanguages; }

const UiLanguage* FindUiLanguage(std::string_view tag) {
  for (const UiLanguage& language : kLanguages) {
    if (language.tag == tag) return &language;
  }
  return nullptr;
}

const UiLanguage& UiLanguageFor(LANGID system) {
  const WORD primary = PRIMARYLANGID(system);
  if (primary == LANG_CHINESE) {
    const WORD sub = SUBLANGID(system);
    const bool simplified = sub == SUBLANG_CHINESE_SIMPLIFIED || sub == SUBLANG_CHINESE_SINGAPORE;
    return simplified ? *FindUiLanguage("zh-CN") : kLanguages[0];
  }
  for (const UiLanguage& language : kLanguages) {
    if (PRIMARYLANGID(language.id) == primary) return language;
  }
  return kLanguages[0];
}

void UseUiLanguage(std::string_view chosenTag) {
  const UiLanguage* chosen = FindUiLanguage(chosenTag);
  g_current = chosen ? chosen : &UiLanguageFor(::GetUserDefaultUILanguage());
}

const UiLanguage& CurrentUiLanguage() { return *g_current; }

std::wstring LoadText(UINT id) {
  std::wstring text = FindText(id, g_current->id);
  if (text.empty() && g_current->id != kEnglish) text = FindText(id, kEnglish);
  return text;
}

std::wstring LoadCountedText(UINT firstId, int count) {
  return LoadText(firstId + static_cast<UINT>(std::clamp(count, 0, 9)));
}

std::wstring FormatText(std::wstring_view pattern, std::initializer_list<std::wstring_view> values) {
  return FillPlaceholders(pattern, values);
}

std::wstring WideFromAnsi(std::string_view text) { return WideFrom(CP_ACP, text); }

std::wstring WideFromUtf8(std::string_view text) { return WideFrom(CP_UTF8, text); }

std::string Utf8FromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int size =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(std::max(size, 0)), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
  return utf8;
}
