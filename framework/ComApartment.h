// COM on the calling thread for as long as the object lives.
#pragma once

#include <objbase.h>

// A window that hands out COM objects (accessible objects in answer to
// WM_GETOBJECT) needs its thread in an apartment of its own: clients' calls
// then arrive on that thread, between the messages of its loop. A thread that
// already has COM keeps it as it is.
class CComApartment {
public:
  CComApartment() : m_hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~CComApartment() {
    if (SUCCEEDED(m_hr)) ::CoUninitialize();
  }
  CComApartment(const CComApartment&) = delete;
  CComApartment& operator=(const CComApartment&) = delete;

private:
  HRESULT m_hr;
};
