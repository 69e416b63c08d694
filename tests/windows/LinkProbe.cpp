#include "LinkProbe.h"

#include <cstdio>
#include <mutex>

#include "Link.h"

namespace {

std::mutex g_shellMutex;
std::optional<ShellCall> g_shellCall;

HINSTANCE WINAPI RecordShellCall(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
  const std::lock_guard<std::mutex> lock(g_shellMutex);
  g_shellCall = ShellCall{
      owner, verb ? verb : "(null)", file ? file : "(null)", parameters != nullptr, directory != nullptr, show};
  return reinterpret_cast<HINSTANCE>(33);  // what the shell answers for success
}

// Installed before any test runs, so that no click of any test opens a
// browser or a mail program.
const bool g_recorderInstalled = (CLink::s_pfnShellExecute = &RecordShellCall, true);

}  // namespace

void ForgetShellCalls() {
  const std::lock_guard<std::mutex> lock(g_shellMutex);
  g_shellCall.reset();
}

std::optional<ShellCall> WaitForShellCall() {
  std::optional<ShellCall> call;
  WaitUntil(
      [&] {
        const std::lock_guard<std::mutex> lock(g_shellMutex);
        call = g_shellCall;
        return call.has_value();
      },
      3000);
  return call;
}

PaintProbe::PaintProbe(HWND control) {
  RECT client;
  ::GetClientRect(control, &client);
  m_width = client.right;
  m_height = client.bottom;
  const HDC screen = ::GetDC(nullptr);
  m_dc = ::CreateCompatibleDC(screen);
  m_bitmap = ::CreateCompatibleBitmap(screen, m_width, m_height);
  ::ReleaseDC(nullptr, screen);
  m_oldBitmap = ::SelectObject(m_dc, m_bitmap);
}

PaintProbe::~PaintProbe() {
  ::SelectObject(m_dc, m_oldBitmap);
  ::DeleteObject(m_bitmap);
  ::DeleteDC(m_dc);
}

std::string DescribeColour(COLORREF colour) {
  char text[32];
  std::snprintf(text, sizeof text, "(%u, %u, %u)", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}
