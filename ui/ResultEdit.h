// The result field. A number shown grouped for reading, with separators that
// may lie outside the ANSI code page, leaves it as the plain number: whatever
// is copied from it reads back as the value shown.
#pragma once

#include <string>

#include "Framework.h"

// A window's text as UTF-16, and conversions between UTF-16 and UTF-8.
std::wstring ReadWideWindowText(HWND hWnd);
std::wstring WideOfUtf8(const std::string& text);
std::string Utf8OfWide(const std::wstring& text);

class CResultEdit : public CEdit {
public:
  struct Marks {
    std::wstring separator;
    std::wstring decimalMark;
  };

  // Shows the text as it is.
  void ShowText(const std::wstring& text);
  // Shows a number grouped for reading with these marks.
  void ShowGrouped(const std::wstring& grouped, Marks marks);
  // True while the field shows the grouped number it was given last.
  bool ShowsGrouped() const;

protected:
  LRESULT OnCopy(WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()

private:
  std::wstring m_grouped;  // empty while the field shows a text as it is
  Marks m_marks;
};
