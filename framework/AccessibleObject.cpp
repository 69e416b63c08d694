#include "AccessibleObject.h"

#include <algorithm>
#include <new>
#include <utility>

#include "Bstr.h"

using Microsoft::WRL::ComPtr;

CAccessibleObjects::~CAccessibleObjects() {
  for (auto& [control, object] : m_objects) {
    object->Detach();
    // Clients in other apartments hear at once that the object is gone, and the
    // references the system holds for them are let go.
    ::CoDisconnectObject(static_cast<IAccessible*>(object.Get()), 0);
  }
}

LRESULT CAccessibleObjects::Answer(HWND control, WPARAM wParam, const AccessibleFactsSource& facts) {
  auto known =
      std::find_if(m_objects.begin(), m_objects.end(), [control](const auto& entry) { return entry.first == control; });
  if (known == m_objects.end()) {
    ComPtr<IAccessible> standard;
    if (FAILED(::CreateStdAccessibleObject(control, OBJID_CLIENT, IID_IAccessible,
                                           reinterpret_cast<void**>(standard.GetAddressOf())))) {
      return 0;
    }
    // Born with one reference, which this list holds; LresultFromObject adds the
    // client's, and the object goes when both have let go.
    ComPtr<CAccessibleObject> object;
    object.Attach(new (std::nothrow) CAccessibleObject(control, std::move(standard), facts));
    if (!object) return 0;
    known = m_objects.emplace(m_objects.end(), control, std::move(object));
  }
  const LRESULT answer = ::LresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(known->second.Get()));
  return answer > 0 ? answer : 0;
}

namespace {

template <class Part>
ComPtr<Part> PartOf(IAccessible* standard, REFIID riid) {
  ComPtr<Part> part;
  if (FAILED(standard->QueryInterface(riid, reinterpret_cast<void**>(part.GetAddressOf())))) part.Reset();
  return part;
}

}  // namespace

CAccessibleObject::CAccessibleObject(HWND control, ComPtr<IAccessible> standard, AccessibleFactsSource facts)
    : m_hControl(control),
      m_nThreadId(::GetCurrentThreadId()),
      m_pStandard(std::move(standard)),
      m_pStandardIdentity(PartOf<IAccIdentity>(m_pStandard.Get(), IID_IAccIdentity)),
      m_pStandardChildren(PartOf<IEnumVARIANT>(m_pStandard.Get(), IID_IEnumVARIANT)),
      m_bHasIdentity(m_pStandardIdentity != nullptr),
      m_bHasChildEnumeration(m_pStandardChildren != nullptr),
      m_facts(std::move(facts)) {}

void CAccessibleObject::Detach() {
  m_facts = nullptr;
  m_pStandardChildren.Reset();
  m_pStandardIdentity.Reset();
  m_pStandard.Reset();
  m_hControl = nullptr;
}

// The facts belong to the control's window and are read on its thread only, and
// only until the owner detaches the object; otherwise the standard object
// answers alone.
std::optional<AccessibleFacts> CAccessibleObject::FactsFor(const VARIANT& child) const {
  if (child.vt != VT_I4 || child.lVal != CHILDID_SELF || !m_facts) return std::nullopt;
  if (::GetCurrentThreadId() != m_nThreadId) return std::nullopt;
  return m_facts();
}

HRESULT CAccessibleObject::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) {
    *object = static_cast<IAccessible*>(this);
  } else if (riid == IID_IOleWindow) {
    *object = static_cast<IOleWindow*>(this);
  } else if (riid == IID_IAccIdentity && m_bHasIdentity) {
    *object = static_cast<IAccIdentity*>(this);
  } else if (riid == IID_IEnumVARIANT && m_bHasChildEnumeration) {
    *object = static_cast<IEnumVARIANT*>(this);
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
  return m_hControl ? S_OK : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessibleObject::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT CAccessibleObject::GetIdentityString(DWORD child, BYTE** identity, DWORD* length) {
  return Forward(m_pStandardIdentity,
                 [&](IAccIdentity& part) { return part.GetIdentityString(child, identity, length); });
}

HRESULT CAccessibleObject::Next(ULONG count, VARIANT* children, ULONG* fetched) {
  return Forward(m_pStandardChildren, [&](IEnumVARIANT& part) { return part.Next(count, children, fetched); });
}

HRESULT CAccessibleObject::Skip(ULONG count) {
  return Forward(m_pStandardChildren, [&](IEnumVARIANT& part) { return part.Skip(count); });
}

HRESULT CAccessibleObject::Reset() {
  return Forward(m_pStandardChildren, [&](IEnumVARIANT& part) { return part.Reset(); });
}

// A copy is an enumerator of its own, not this object: the standard one's serves.
HRESULT CAccessibleObject::Clone(IEnumVARIANT** copy) {
  return Forward(m_pStandardChildren, [&](IEnumVARIANT& part) { return part.Clone(copy); });
}

HRESULT CAccessibleObject::GetTypeInfoCount(UINT* count) {
  return Forward(m_pStandard, [&](IAccessible& standard) { return standard.GetTypeInfoCount(count); });
}

HRESULT CAccessibleObject::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
  return Forward(m_pStandard, [&](IAccessible& standard) { return standard.GetTypeInfo(index, locale, info); });
}

HRESULT CAccessibleObject::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) {
  return Forward(m_pStandard,
                 [&](IAccessible& standard) { return standard.GetIDsOfNames(riid, names, count, locale, ids); });
}

// Dispatched through the interface's type description onto this object, so
// that a client asking by number hears the same name as one asking directly.
HRESULT CAccessibleObject::Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                                  EXCEPINFO* exception, UINT* argumentError) {
  if (!m_pStandard) return CO_E_OBJNOTCONNECTED;
  ComPtr<ITypeInfo> info;
  if (riid != IID_NULL || FAILED(m_pStandard->GetTypeInfo(0, locale, info.GetAddressOf())) || !info) {
    return Forward(m_pStandard, [&](IAccessible& standard) {
      return standard.Invoke(id, riid, locale, flags, params, result, exception, argumentError);
    });
  }
  return ::DispInvoke(static_cast<IAccessible*>(this), info.Get(), id, flags, params, result, exception, argumentError);
}

HRESULT CAccessibleObject::get_accName(VARIANT child, BSTR* name) {
  const std::optional<AccessibleFacts> facts = FactsFor(child);
  if (!facts || facts->name.empty())
    return Forward(m_pStandard, [&](IAccessible& standard) { return standard.get_accName(child, name); });
  if (!name) return E_POINTER;
  *name = AllocBstr(facts->name);
  return *name ? S_OK : E_OUTOFMEMORY;
}

HRESULT CAccessibleObject::get_accValue(VARIANT child, BSTR* value) {
  const std::optional<AccessibleFacts> facts = FactsFor(child);
  if (!facts || !facts->value)
    return Forward(m_pStandard, [&](IAccessible& standard) { return standard.get_accValue(child, value); });
  if (!value) return E_POINTER;
  *value = AllocBstr(*facts->value);
  return *value ? S_OK : E_OUTOFMEMORY;
}

HRESULT CAccessibleObject::get_accState(VARIANT child, VARIANT* state) {
  const HRESULT hr = Forward(m_pStandard, [&](IAccessible& standard) { return standard.get_accState(child, state); });
  if (FAILED(hr) || !state || state->vt != VT_I4) return hr;
  if (const std::optional<AccessibleFacts> facts = FactsFor(child)) {
    state->lVal |= static_cast<LONG>(facts->addedState);
  }
  return hr;
}

HRESULT CAccessibleObject::get_accParent(IDispatch** parent) {
  return Forward(m_pStandard, [&](IAccessible& standard) { return standard.get_accParent(parent); });
}

HRESULT CAccessibleObject::get_accChildCount(long* count) {
  return Forward(m_pStandard, [&](IAccessible& standard) { return standard.get_accChildCount(count); });
}

HRESULT CAccessibleObject::get_accChild(VARIANT child, IDispatch** object) {
  return Forward(m_pStandard, [&](IAccessible& standard) { return standard.get_accChild(child, object); });
}

HRESULT CAccessibleObject::get_accDescription(VARIANT child, BSTR* description) {
  const std::optional<AccessibleFacts> facts = FactsFor(child);
  if (!facts || !facts->description)
    return Forward(m_pStandard, [&](IAccessible& standard) { return standard.get_accDescription(child, description); });
  if (!description) return E_POINTER;
  *description = AllocBstr(*facts->description);
  return *description ? S_OK : E_OUTOFMEMORY;
}

HRESULT CAccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
  const std::optional<AccessibleFacts> facts = FactsFor(child);
  if (!facts || facts->role == 0)
    return Forward(m_pStandard, [&](IAccessible& standard) { return standard.get_accRole(child, role); });
  if (!role) return E_POINTER;
  ::VariantInit(role);
  role->vt = VT_I4;
  role->lVal = facts->role;
  return S_OK;
}

HRESULT CAccessibleObject::get_accHelp(VARIANT child, BSTR* help) {
  return Forward(m_pStandard, [&](IAccessible& standard) { return standard.get_accHelp(child, help); });
}

HRESULT CAccessibleObject::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
  return Forward(m_pStandard, [&](IAccessible& standard) { return standard.get_accHelpTopic(file, child, topic); });
}

HRESULT CAccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  return Forward(m_pStandard, [&](IAccessible& standard) { return standard.get_accKeyboardShortcut(child, shortcut); });
}

HRESULT CAccessibleObject::get_accFocus(VARIANT* child) {
  return Forward(m_pStandard, [&](IAccessible& standard) { return standard.get_accFocus(child); });
}

HRESULT CAccessibleObject::get_accSelection(VARIANT* children) {
  return Forward(m_pStandard, [&](IAccessible& standard) { return standard.get_accSelection(children); });
}

HRESULT CAccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
  const std::optional<AccessibleFacts> facts = FactsFor(child);
  if (!facts || facts->defaultAction.empty())
    return Forward(m_pStandard, [&](IAccessible& standard) { return standard.get_accDefaultAction(child, action); });
  if (!action) return E_POINTER;
  *action = AllocBstr(facts->defaultAction);
  return *action ? S_OK : E_OUTOFMEMORY;
}

HRESULT CAccessibleObject::accSelect(long flags, VARIANT child) {
  return Forward(m_pStandard, [&](IAccessible& standard) { return standard.accSelect(flags, child); });
}

HRESULT CAccessibleObject::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  return Forward(m_pStandard,
                 [&](IAccessible& standard) { return standard.accLocation(left, top, width, height, child); });
}

HRESULT CAccessibleObject::accNavigate(long direction, VARIANT start, VARIANT* end) {
  return Forward(m_pStandard, [&](IAccessible& standard) { return standard.accNavigate(direction, start, end); });
}

HRESULT CAccessibleObject::accHitTest(long x, long y, VARIANT* child) {
  return Forward(m_pStandard, [&](IAccessible& standard) { return standard.accHitTest(x, y, child); });
}

HRESULT CAccessibleObject::accDoDefaultAction(VARIANT child) {
  const std::optional<AccessibleFacts> facts = FactsFor(child);
  if (!facts || !facts->doDefaultAction)
    return Forward(m_pStandard, [&](IAccessible& standard) { return standard.accDoDefaultAction(child); });
  facts->doDefaultAction();
  return S_OK;
}

HRESULT CAccessibleObject::put_accName(VARIANT child, BSTR name) {
  return Forward(m_pStandard, [&](IAccessible& standard) { return standard.put_accName(child, name); });
}

HRESULT CAccessibleObject::put_accValue(VARIANT child, BSTR value) {
  return Forward(m_pStandard, [&](IAccessible& standard) { return standard.put_accValue(child, value); });
}
