// The program's 8-bit text as the BSTRs that the accessibility interfaces take.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <memory>
#include <string_view>

struct BstrFree {
  void operator()(BSTR text) const { ::SysFreeString(text); }
};
using BstrOwner = std::unique_ptr<OLECHAR, BstrFree>;

// A new BSTR read from UTF-8, so that a screen reader hears every language
// whatever the code page; null when there is no memory for it. The caller owns it.
inline BSTR AllocBstr(std::string_view text) {
  const int bytes = static_cast<int>(text.size());
  const int chars = bytes ? ::MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, nullptr, 0) : 0;
  BSTR wide = ::SysAllocStringLen(nullptr, static_cast<UINT>(chars));
  if (wide && chars) ::MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, wide, chars);
  return wide;
}
