#include "AccessibleObject.h"

#include <new>
#include <utility>

#include "Bstr.h"

using Microsoft::WRL::ComPtr;

LRESULT AnswerAccessibleObject(HWND control, WPARAM wParam, AccessibleFactsSource facts) {
  ComPtr<IAccessible> standard;
  if (FAILED(::CreateStdAccessibleObject(control, OBJID_CLIENT, IID_IAccessible,
                                         reinterpret_cast<void**>(standard.GetAddressOf())))) {
    return 0;
  }
  // Born with one reference, held here; the client's references come from
  // LresultFromObject, and the object goes when the client lets go.
  ComPtr<IAccessible> object;
  object.Attach(new (std::nothrow) CAccessibleObject(control, std::move(standard), std::move(facts)));
  if (!object) return 0;
  const LRESULT answer = ::LresultFromObject(IID_IAccessible, wParam, object.Get());
  return answer > 0 ? answer : 0;
}

CAccessibleObject::CAccessibleObject(HWND control, ComPtr<IAccessible> standard, AccessibleFactsSource facts)
    : m_hControl(control), m_pStandard(std::move(standard)), m_facts(std::move(facts)) {}

// The facts belong to the control's window and are read on its thread only,
// while it exists; otherwise the standard object answers alone.
std::optional<AccessibleFacts> CAccessibleObject::FactsFor(const VARIANT& child) const {
  if (child.vt != VT_I4 || child.lVal != CHILDID_SELF || !m_facts) return std::nullopt;
  if (!::IsWindow(m_hControl) || ::GetWindowThreadProcessId(m_hControl, nullptr) != ::GetCurrentThreadId()) {
    return std::nullopt;
  }
  return m_facts();
}

HRESULT CAccessibleObject::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) {
    *object = static_cast<IAccessible*>(this);
  } else if (riid == IID_IOleWindow) {
    *object = static_cast<IOleWindow*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG CAccessibleObject::AddRef() { return ++m_nRefs; }

ULONG CAccessibleObject::Release() {
  const ULONG left = --m_nRefs;
  if (left == 0) delete this;
  return left;
}

HRESULT CAccessibleObject::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = m_hControl;
  return S_OK;
}

HRESULT CAccessibleObject::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT CAccessibleObject::GetTypeInfoCount(UINT* count) { return m_pStandard->GetTypeInfoCount(count); }

HRESULT CAccessibleObject::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
  return m_pStandard->GetTypeInfo(index, locale, info);
}

HRESULT CAccessibleObject::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) {
  return m_pStandard->GetIDsOfNames(riid, names, count, locale, ids);
}

// Dispatched through the interface's type description onto this object, so
// that a client asking by number hears the same name as one asking directly.
HRESULT CAccessibleObject::Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                                  EXCEPINFO* exception, UINT* argumentError) {
  ComPtr<ITypeInfo> info;
  if (riid != IID_NULL || FAILED(m_pStandard->GetTypeInfo(0, locale, info.GetAddressOf())) || !info) {
    return m_pStandard->Invoke(id, riid, locale, flags, params, result, exception, argumentError);
  }
  return ::DispInvoke(static_cast<IAccessible*>(this), info.Get(), id, flags, params, result, exception, argumentError);
}

HRESULT CAccessibleObject::get_accName(VARIANT child, BSTR* name) {
  const std::optional<AccessibleFacts> facts = FactsFor(child);
  if (!facts || facts->name.empty()) return m_pStandard->get_accName(child, name);
  if (!name) return E_POINTER;
  *name = AllocBstr(facts->name);
  return *name ? S_OK : E_OUTOFMEMORY;
}

HRESULT CAccessibleObject::get_accValue(VARIANT child, BSTR* value) {
  const std::optional<AccessibleFacts> facts = FactsFor(child);
  if (!facts || !facts->value) return m_pStandard->get_accValue(child, value);
  if (!value) return E_POINTER;
  *value = AllocBstr(*facts->value);
  return *value ? S_OK : E_OUTOFMEMORY;
}

HRESULT CAccessibleObject::get_accState(VARIANT child, VARIANT* state) {
  const HRESULT hr = m_pStandard->get_accState(child, state);
  if (FAILED(hr) || !state || state->vt != VT_I4) return hr;
  if (const std::optional<AccessibleFacts> facts = FactsFor(child)) {
    state->lVal |= static_cast<LONG>(facts->addedState);
  }
  return hr;
}

HRESULT CAccessibleObject::get_accParent(IDispatch** parent) { return m_pStandard->get_accParent(parent); }

HRESULT CAccessibleObject::get_accChildCount(long* count) { return m_pStandard->get_accChildCount(count); }

HRESULT CAccessibleObject::get_accChild(VARIANT child, IDispatch** object) {
  return m_pStandard->get_accChild(child, object);
}

HRESULT CAccessibleObject::get_accDescription(VARIANT child, BSTR* description) {
  return m_pStandard->get_accDescription(child, description);
}

HRESULT CAccessibleObject::get_accRole(VARIANT child, VARIANT* role) { return m_pStandard->get_accRole(child, role); }

HRESULT CAccessibleObject::get_accHelp(VARIANT child, BSTR* help) { return m_pStandard->get_accHelp(child, help); }

HRESULT CAccessibleObject::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
  return m_pStandard->get_accHelpTopic(file, child, topic);
}

HRESULT CAccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  return m_pStandard->get_accKeyboardShortcut(child, shortcut);
}

HRESULT CAccessibleObject::get_accFocus(VARIANT* child) { return m_pStandard->get_accFocus(child); }

HRESULT CAccessibleObject::get_accSelection(VARIANT* children) { return m_pStandard->get_accSelection(children); }

HRESULT CAccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
  return m_pStandard->get_accDefaultAction(child, action);
}

HRESULT CAccessibleObject::accSelect(long flags, VARIANT child) { return m_pStandard->accSelect(flags, child); }

HRESULT CAccessibleObject::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  return m_pStandard->accLocation(left, top, width, height, child);
}

HRESULT CAccessibleObject::accNavigate(long direction, VARIANT start, VARIANT* end) {
  return m_pStandard->accNavigate(direction, start, end);
}

HRESULT CAccessibleObject::accHitTest(long x, long y, VARIANT* child) { return m_pStandard->accHitTest(x, y, child); }

HRESULT CAccessibleObject::accDoDefaultAction(VARIANT child) { return m_pStandard->accDoDefaultAction(child); }

HRESULT CAccessibleObject::put_accName(VARIANT child, BSTR name) { return m_pStandard->put_accName(child, name); }

HRESULT CAccessibleObject::put_accValue(VARIANT child, BSTR value) { return m_pStandard->put_accValue(child, value); }
