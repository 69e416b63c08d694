// The program's 8-bit text type: one byte per character, as the edit fields and
// the settings file hold it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

class CString {
public:
  CString() = default;
  CString(const char* text) : m_text(text ? text : "") {}
  CString(std::string text) : m_text(std::move(text)) {}
  CString(std::string_view text) : m_text(text) {}

  bool IsEmpty() const { return m_text.empty(); }

  // The text of a string resource of the program; empty (and FALSE) when there is none.
  BOOL LoadString(UINT id);

  operator const char*() const { return m_text.c_str(); }
  const std::string& str() const { return m_text; }

  CString& operator+=(std::string_view more) {
    m_text += more;
    return *this;
  }

  friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
  friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }
  friend bool operator==(const char* a, const CString& b) { return b == a; }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
  friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
  friend CString operator+(CString a, std::string_view b) { return a += b; }

private:
  std::string m_text;
};
