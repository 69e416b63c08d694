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
#include <utility>
#include <vector>

// What the program says of a control beyond its standard object.
struct AccessibleFacts {
  std::string name;                  // empty: the standard object's name
  std::optional<std::string> value;  // none: the standard object's value
  DWORD addedState = 0;              // STATE_SYSTEM_ flags on top of the standard state
  LONG role = 0;                     // 0: the standard object's role
  std::string defaultAction{};       // empty: the standard object's default action
  // What the default action does; called on the control's thread, so it must
  // not wait for anything (post what takes time).
  std::function<void()> doDefaultAction{};
  std::optional<std::string> description{};  // none: the standard object's description
};

// Read each time a client asks, so a client that keeps the object hears the
// control as it is now. Called on the control's thread, and only until the
// object's owner lets go of it.
using AccessibleFactsSource = std::function<AccessibleFacts()>;

// Beyond IAccessible and IOleWindow, the object answers to what clients ask of a
// standard object, when the standard object has it: IAccIdentity (the identity
// string by which clients and annotations name an element) and IEnumVARIANT (the
// children, as AccessibleChildren asks for them first). Both give the standard
// object's answers through this object, so that every interface leads back to
// the same IUnknown. IServiceProvider is not offered: UI Automation's bridge asks
// it only for IAccessibleEx, which the program does not add to, and handing on
// the standard object's services would lead past the program's facts.
class CAccessibleObject final : public IAccessible, public IOleWindow, public IAccIdentity, public IEnumVARIANT {
public:
  CAccessibleObject(HWND control, Microsoft::WRL::ComPtr<IAccessible> standard, AccessibleFactsSource facts);
  CAccessibleObject(const CAccessibleObject&) = delete;
  CAccessibleObject& operator=(const CAccessibleObject&) = delete;

  // Cuts the object off from the control and the program: from then on every
  // call answers CO_E_OBJNOTCONNECTED. Clients may keep the object for as long
  // as they like; the owner calls this before the window and its facts go.
  void Detach();

  // IUnknown: the object deletes itself with its last reference.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IOleWindow: the control's window, which is how clients find the window of an object.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enterMode) override;

  // IAccIdentity and IEnumVARIANT: the standard object's.
  HRESULT STDMETHODCALLTYPE GetIdentityString(DWORD child, BYTE** identity, DWORD* length) override;
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* children, ULONG* fetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override;

  // IDispatch: calls by number reach the properties below, not the standard object's.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argumentError) override;

  // What the program adds to; for the control itself only.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;

  // Everything else is the standard object's.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
  ~CAccessibleObject() = default;  // only through Release
  // The program's facts, when the question is about the control itself, asked on
  // the control's thread, and the owner still holds the object.
  std::optional<AccessibleFacts> FactsFor(const VARIANT& child) const;
  // A call handed to a part of the standard object, while the object is attached.
  template <class Part, class Call>
  static HRESULT Forward(const Microsoft::WRL::ComPtr<Part>& part, Call call) {
    return part ? call(*part.Get()) : CO_E_OBJNOTCONNECTED;
  }

  std::atomic<ULONG> m_nRefs{1};
  HWND m_hControl;    // not ours: the dialog destroys it, and the object may outlive it
  DWORD m_nThreadId;  // the control's, on which the facts may be read
  // The standard object and its parts, all let go by Detach.
  Microsoft::WRL::ComPtr<IAccessible> m_pStandard;
  Microsoft::WRL::ComPtr<IAccIdentity> m_pStandardIdentity;
  Microsoft::WRL::ComPtr<IEnumVARIANT> m_pStandardChildren;
  // Fixed when the object is made, so that what QueryInterface answers never changes.
  const bool m_bHasIdentity;
  const bool m_bHasChildEnumeration;
  AccessibleFactsSource m_facts;
};

// The objects of one window's controls, one per control for as long as the
// window lives, so that a client asking twice meets the same object. They are
// detached, and their clients' connections cut, when the window's owner lets go.
class CAccessibleObjects {
public:
  CAccessibleObjects() = default;
  CAccessibleObjects(const CAccessibleObjects&) = delete;
  CAccessibleObjects& operator=(const CAccessibleObjects&) = delete;
  ~CAccessibleObjects();

  // The answer to a control's WM_GETOBJECT for OBJID_CLIENT: its object, made
  // with the facts on the first request; 0 when there is none, so that the
  // control gives its own answer.
  LRESULT Answer(HWND control, WPARAM wParam, const AccessibleFactsSource& facts);

private:
  std::vector<std::pair<HWND, Microsoft::WRL::ComPtr<CAccessibleObject>>> m_objects;
};
