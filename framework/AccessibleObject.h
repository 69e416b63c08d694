// A control's object for screen readers: the system's standard object for the
// control, with the name, value and state that only the program knows.
#pragma once

#include <windows.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>

// What the program says of a control beyond its standard object.
struct AccessibleFacts {
  std::string name;                  // empty: the standard object's name
  std::optional<std::string> value;  // none: the standard object's value
  DWORD addedState = 0;              // STATE_SYSTEM_ flags on top of the standard state
};

// Read each time a client asks, so a client that keeps the object hears the
// control as it is now. Called on the control's thread, and only while the
// control exists.
using AccessibleFactsSource = std::function<AccessibleFacts()>;

// The answer to a control's WM_GETOBJECT for OBJID_CLIENT: a new object over
// the control's standard one, handed to the client; 0 when there is none, so
// that the control gives its own answer.
LRESULT AnswerAccessibleObject(HWND control, WPARAM wParam, AccessibleFactsSource facts);

class CAccessibleObject final : public IAccessible, public IOleWindow {
public:
  CAccessibleObject(HWND control, Microsoft::WRL::ComPtr<IAccessible> standard, AccessibleFactsSource facts);
  CAccessibleObject(const CAccessibleObject&) = delete;
  CAccessibleObject& operator=(const CAccessibleObject&) = delete;

  // IUnknown: the object deletes itself with its last reference.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IOleWindow: the control's window, which is how clients find the window of an object.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enterMode) override;

  // IDispatch: calls by number reach the properties below, not the standard object's.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argumentError) override;

  // The three properties the program adds to; for the control itself only.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;

  // Everything else is the standard object's.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
  ~CAccessibleObject() = default;  // only through Release
  // The program's facts, when the question is about the control itself and the control still exists.
  std::optional<AccessibleFacts> FactsFor(const VARIANT& child) const;

  std::atomic<ULONG> m_nRefs{1};
  HWND m_hControl;  // not ours: the dialog destroys it, and the object may outlive it
  Microsoft::WRL::ComPtr<IAccessible> m_pStandard;
  AccessibleFactsSource m_facts;
};
