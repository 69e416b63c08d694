// The main window as a screen reader meets it: the controls' accessible
// objects, read from another thread of the process as a reader would from its
// own, and the value-change events it is told of. What a reader finally says
// cannot be heard here; Wine's oleacc has the standard objects and events but
// no UI Automation notifications, whose absence the program must survive.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AboutBox.h"
#include "AboutBoxIds.h"
#include "AccessibleObject.h"
#include "ComApartment.h"
#include "DataFile.h"
#include "LinkProbe.h"
#include "RunningDialog.h"
#include "TallywiseDlgIds.h"

namespace {

using Microsoft::WRL::ComPtr;

VARIANT Self() {
  VARIANT self;
  ::VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

std::string Narrow(BSTR text) {
  if (!text) return "(none)";
  const int length = static_cast<int>(::SysStringLen(text));
  std::string narrow(static_cast<size_t>(::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr)),
                     '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, length, narrow.data(), static_cast<int>(narrow.size()), nullptr, nullptr);
  ::SysFreeString(text);
  return narrow;
}

std::string Name(IAccessible* object) {
  BSTR name = nullptr;
  return SUCCEEDED(object->get_accName(Self(), &name)) ? Narrow(name) : "(failed)";
}

std::string Value(IAccessible* object) {
  BSTR value = nullptr;
  return SUCCEEDED(object->get_accValue(Self(), &value)) ? Narrow(value) : "(failed)";
}

std::string Description(IAccessible* object) {
  BSTR description = nullptr;
  return SUCCEEDED(object->get_accDescription(Self(), &description)) ? Narrow(description) : "(failed)";
}

IUnknown* UnknownOf(IUnknown* object) {
  ComPtr<IUnknown> unknown;
  object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(unknown.GetAddressOf()));
  return unknown.Get();  // compared only, while the object is held elsewhere
}

// The bytes of an object's identity string, or "(none)" without IAccIdentity.
std::string IdentityString(IAccessible* object) {
  ComPtr<IAccIdentity> identity;
  if (FAILED(object->QueryInterface(IID_IAccIdentity, reinterpret_cast<void**>(identity.GetAddressOf())))) {
    return "(none)";
  }
  BYTE* bytes = nullptr;
  DWORD length = 0;
  if (FAILED(identity->GetIdentityString(CHILDID_SELF, &bytes, &length))) return "(failed)";
  std::string text(reinterpret_cast<const char*>(bytes), length);
  ::CoTaskMemFree(bytes);
  return text;
}

// The children as AccessibleChildren gives them: child ids, or "object".
std::string Children(IAccessible* object) {
  long count = 0;
  if (FAILED(object->get_accChildCount(&count))) return "(failed)";
  std::vector<VARIANT> children(static_cast<size_t>(count));
  long obtained = 0;
  if (count > 0 && FAILED(::AccessibleChildren(object, 0, count, children.data(), &obtained))) return "(failed)";
  std::string text = std::to_string(count) + ":";
  for (long i = 0; i < obtained; ++i) {
    VARIANT& child = children[static_cast<size_t>(i)];
    text += ' ';
    text += child.vt == VT_I4 ? std::to_string(child.lVal) : "object";
    ::VariantClear(&child);
  }
  return text;
}

bool Pressed(IAccessible* object) {
  VARIANT state;
  ::VariantInit(&state);
  return SUCCEEDED(object->get_accState(Self(), &state)) && state.vt == VT_I4 && (state.lVal & STATE_SYSTEM_PRESSED);
}

std::atomic<HWND> g_watchedField{};
std::atomic<int> g_valueChanges{};
std::atomic<int> g_markers{};
// A child id no control has: the test's own event, never the field's.
constexpr LONG kMarkerChild = 0x7a11;

void CALLBACK CountValueChanges(HWINEVENTHOOK, DWORD event, HWND hWnd, LONG object, LONG child, DWORD, DWORD) {
  if (event != EVENT_OBJECT_VALUECHANGE || hWnd != g_watchedField || object != OBJID_CLIENT) return;
  if (child == CHILDID_SELF) ++g_valueChanges;
  if (child == kMarkerChild) ++g_markers;
}

// Events of an out-of-context hook come to this thread as messages, in the
// order they were raised. A marker raised after a step, on a thread of its
// own, comes after every event of the step: once it is in, the count is whole.
// False when it did not come.
DWORD WINAPI RaiseMarker(void*) {
  ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, g_watchedField, OBJID_CLIENT, kMarkerChild);
  return 0;
}

bool AllEventsIn() {
  const int before = g_markers;
  const HANDLE raiser = ::CreateThread(nullptr, 0, RaiseMarker, nullptr, 0, nullptr);
  if (!raiser) return false;
  const ULONGLONG end = ::GetTickCount64() + 20000;
  while (g_markers == before && ::GetTickCount64() < end) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      ::DispatchMessageA(&msg);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  ::WaitForSingleObject(raiser, INFINITE);
  ::CloseHandle(raiser);
  return g_markers != before;
}

class Accessibility : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(m_com)) << std::hex << m_com;
    m_dialog = std::make_unique<RunningDialog>();
    ASSERT_NE(m_dialog->Window(), nullptr);
  }
  void TearDown() override {
    m_dialog.reset();
    if (SUCCEEDED(m_com)) ::CoUninitialize();
  }

  HWND Item(int id) const { return m_dialog->Item(id); }

  ComPtr<IAccessible> ObjectOf(int id) const {
    ComPtr<IAccessible> object;
    const HRESULT hr = ::AccessibleObjectFromWindow(Item(id), static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                    reinterpret_cast<void**>(object.GetAddressOf()));
    EXPECT_TRUE(SUCCEEDED(hr) && object) << "control " << id << std::hex << " hr " << hr;
    return object;
  }

  void Type(const char* text) const {
    ::SendMessageA(Item(IDC_EXPRESSION), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  void Click(int id) const {
    ::SendMessageA(m_dialog->Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
  }
  // The right arrow raises the number of decimals.
  void ClickArrow(bool right) const {
    RECT client;
    ::GetClientRect(Item(IDC_PRECISION), &client);
    const LPARAM at = MAKELPARAM(right ? client.right * 3 / 4 : client.right / 4, client.bottom / 2);
    ::SendMessageA(Item(IDC_PRECISION), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(Item(IDC_PRECISION), WM_LBUTTONUP, 0, at);
  }

  const HRESULT m_com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  FirstRun m_firstRun;
  std::unique_ptr<RunningDialog> m_dialog;
};

// Each control has a name of its own: a reader never hears two "Result"s.
TEST_F(Accessibility, EachControlIsNamed) {
  // clang-format off
  const std::pair<int, const char*> cases[] = {
      {IDC_EXPRESSION, "Expression"},  {IDC_RESULT, "Result value"},    {IDC_RESULT_BUTTON, "Result"},
      {IDC_TOPMOST, "Always on top"}, {IDC_PRECISION, "Decimal places"},
  };
  // clang-format on
  for (const auto& [id, name] : cases) {
    if (const ComPtr<IAccessible> object = ObjectOf(id)) {
      EXPECT_EQ(Name(object.Get()), name) << "control " << id;
    }
  }
}

// The result field says what it shows: a prompt is named as one, until a
// result or the user's own typing replaces it.
TEST_F(Accessibility, ResultFieldIsNamedPromptWhileItShowsAPrompt) {
  const ComPtr<IAccessible> result = ObjectOf(IDC_RESULT);
  ASSERT_TRUE(result);
  const struct {
    const char* what;
    std::function<void()> act;
    const char* name;
    // clang-format off
  } steps[] = {
      {"a prompt", [&] { Type("2*"); Click(IDC_RESULT_BUTTON); }, "Prompt"},
      {"a result", [&] { Type("2*3"); Click(IDC_RESULT_BUTTON); }, "Result value"},
      {"another prompt", [&] { Type("(1"); Click(IDC_RESULT_BUTTON); }, "Prompt"},
      {"typed over", [&] { ::SendMessageA(Item(IDC_RESULT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("12")); },
       "Result value"},
  };
  // clang-format on
  for (const auto& step : steps) {
    step.act();
    EXPECT_EQ(Name(result.Get()), step.name) << step.what;
  }
}

// The up-down control tells the number of decimals to the pointer's tip, and
// to a reader as its value, after every change whatever made it.
TEST_F(Accessibility, DecimalsControlTellsTheCountInItsTipAndValue) {
  const ComPtr<IAccessible> spinner = ObjectOf(IDC_PRECISION);
  ASSERT_TRUE(spinner);
  const struct {
    const char* what;
    std::function<void()> act;
    const char* tip;
    const char* value;
    // clang-format off
  } steps[] = {
      {"at start", [] {}, "Round-up: 3 decimals (Page Up / Page Down)", "3"},
      {"right arrow", [&] { ClickArrow(true); }, "Round-up: 4 decimals (Page Up / Page Down)", "4"},
      {"Page Down", [&] { PostKey(Item(IDC_EXPRESSION), VK_NEXT); PostKey(Item(IDC_EXPRESSION), VK_NEXT);
                          PostKey(Item(IDC_EXPRESSION), VK_NEXT); }, "Round-up: 1 decimal (Page Up / Page Down)", "1"},
      {"left arrow", [&] { ClickArrow(false); }, "Round-up: 0 decimals (Page Up / Page Down)", "0"},
  };
  // clang-format on
  for (const auto& step : steps) {
    step.act();
    // The window's loop runs at least once more after the change.
    ::PostMessageA(m_dialog->Window(), WM_NULL, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return ToolTipTextFor(Item(IDC_PRECISION)) == step.tip; }))
        << step.what << ": " << ToolTipTextFor(Item(IDC_PRECISION));
    EXPECT_EQ(Value(spinner.Get()), step.value) << step.what;
  }
}

// One object kept across the changes, as a reader keeps it: it must tell the
// control as it is now, not as it was when it was handed out.
TEST_F(Accessibility, PinIsPressedWhileTheWindowIsOnTop) {
  const ComPtr<IAccessible> pin = ObjectOf(IDC_TOPMOST);
  ASSERT_TRUE(pin);
  EXPECT_FALSE(Pressed(pin.Get())) << "a first start is not on top";
  Click(IDC_TOPMOST);
  EXPECT_TRUE(Pressed(pin.Get()));
  EXPECT_TRUE(Pressed(ObjectOf(IDC_TOPMOST).Get())) << "a new object agrees";
  Click(IDC_TOPMOST);
  EXPECT_FALSE(Pressed(pin.Get()));
}

TEST_F(Accessibility, SpinnerValueIsTheNumberOfDecimals) {
  const ComPtr<IAccessible> spinner = ObjectOf(IDC_PRECISION);
  ASSERT_TRUE(spinner);
  EXPECT_EQ(Value(spinner.Get()), "3");
  ClickArrow(true);
  EXPECT_EQ(Value(spinner.Get()), "4");
  ClickArrow(false);
  ClickArrow(false);
  EXPECT_EQ(Value(spinner.Get()), "2");
}

TEST_F(Accessibility, ResultValueIsTheShownTextWithoutTrailingBlanks) {
  const ComPtr<IAccessible> result = ObjectOf(IDC_RESULT);
  ASSERT_TRUE(result);
  const std::pair<const char*, const char*> cases[] = {
      {"2*", "Paste number here"}, {"1/3", "0.333"}, {"2 (3", "Paste operator here"}, {"2*-3", " Together '*-'"}};
  for (const auto& [expression, value] : cases) {
    Type(expression);
    Click(IDC_RESULT_BUTTON);
    EXPECT_EQ(Value(result.Get()), value) << expression;
  }
}

// A reader hears of the exact value where the mark shows it: the mark and the
// result field describe it while it differs from the shown result.
TEST_F(Accessibility, ResultAndItsMarkDescribeTheExactValueWhileItDiffers) {
  const ComPtr<IAccessible> result = ObjectOf(IDC_RESULT);
  const ComPtr<IAccessible> mark = ObjectOf(IDC_EXACT_MARK);
  ASSERT_TRUE(result && mark);
  EXPECT_EQ(Name(mark.Get()), "Differs from the exact value");
  const std::pair<const char*, bool> cases[] = {{"3000000*1/3000000", true}, {"2+2", false}};
  for (const auto& [expression, differs] : cases) {
    Type(expression);
    Click(IDC_RESULT_BUTTON);
    for (IAccessible* object : {result.Get(), mark.Get()}) {
      const std::string description = Description(object);
      if (differs) {
        EXPECT_EQ(description, "Exact: 1.000") << expression;
      } else {
        EXPECT_EQ(description.find("Exact"), std::string::npos) << expression << ": " << description;
      }
    }
  }
}

TEST_F(Accessibility, OneValueChangeOnTheResultFieldPerResultAndPerRewrittenNumber) {
  g_watchedField = Item(IDC_RESULT);
  g_valueChanges = 0;
  const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                               CountValueChanges, ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  ASSERT_TRUE(AllEventsIn());
  ASSERT_EQ(g_valueChanges, 0) << "nothing is announced at start";

  const struct Step {
    const char* what;
    std::function<void()> act;
    int events;
    // clang-format off
  } steps[] = {
      {"a prompt", [&] { Type("2*"); Click(IDC_RESULT_BUTTON); }, 1},
      {"arrows over a prompt", [&] { ClickArrow(true); }, 0},
      {"a value", [&] { Type("2+3"); Click(IDC_RESULT_BUTTON); }, 1},
      {"the same value again", [&] { Click(IDC_RESULT_BUTTON); }, 1},
      {"arrows over a number", [&] { ClickArrow(false); }, 1},
      {"the same prompt twice", [&] { Type("(1"); Click(IDC_RESULT_BUTTON); Click(IDC_RESULT_BUTTON); }, 2},
      {"typing an expression", [&] { Type("7*8"); }, 0},
  };
  // clang-format on
  for (const Step& step : steps) {
    const int before = g_valueChanges;
    step.act();
    ASSERT_TRUE(AllEventsIn()) << step.what;
    EXPECT_EQ(g_valueChanges - before, step.events) << step.what;
  }
  ::UnhookWinEvent(hook);
}

// Clients tell objects apart by their IUnknown: a control gives the same object
// for as long as the window lives, whose identity string and children are the
// standard object's, since it stands for the same element.
TEST_F(Accessibility, EachControlKeepsOneObjectWithTheStandardIdentityAndChildren) {
  for (int id : {IDC_EXPRESSION, IDC_RESULT, IDC_TOPMOST, IDC_PRECISION}) {
    const ComPtr<IAccessible> first = ObjectOf(id);
    const ComPtr<IAccessible> again = ObjectOf(id);
    ComPtr<IAccessible> standard;
    ASSERT_TRUE(SUCCEEDED(::CreateStdAccessibleObject(Item(id), OBJID_CLIENT, IID_IAccessible,
                                                      reinterpret_cast<void**>(standard.GetAddressOf()))));
    ASSERT_TRUE(first && again && standard);
    EXPECT_EQ(UnknownOf(first.Get()), UnknownOf(again.Get())) << "control " << id;
    EXPECT_EQ(IdentityString(first.Get()), IdentityString(standard.Get())) << "control " << id;
    EXPECT_EQ(Children(first.Get()), Children(standard.Get())) << "control " << id;
  }
}

// The About box's links from the keyboard alone, and as a screen reader reads them.
class AboutBoxLinks : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(m_com)) << std::hex << m_com;
    ASSERT_NE(m_box.Window(), nullptr);
    ForgetShellCalls();
  }
  void TearDown() override {
    if (SUCCEEDED(m_com)) ::CoUninitialize();
  }

  HWND Focus() const { return m_box.Focus(); }
  // A key to the focused control, through the box's keyboard handling.
  void Press(WORD key) const { PostKey(Focus(), key); }
  bool WaitForFocusOn(HWND control) const {
    return WaitUntil([&] { return Focus() == control; });
  }
  // The top row of pixels the link paints, where a focus rectangle shows.
  std::vector<COLORREF> TopRow(HWND link) const {
    PaintProbe probe(link);
    ::SendMessageA(link, WM_ERASEBKGND, reinterpret_cast<WPARAM>(probe.Dc()), 0);
    ::SendMessageA(link, WM_PAINT, reinterpret_cast<WPARAM>(probe.Dc()), 0);
    std::vector<COLORREF> row;
    for (int x = 0; x < probe.Width(); ++x)
      row.push_back(probe.Pixel(x, 0));
    return row;
  }

  const HRESULT m_com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ModalThread m_box{[] {
    CComApartment apartment;  // as on the main window's thread, which opens the box
    CAboutBox box;
    return box.DoModal();
  }};
};

TEST_F(AboutBoxLinks, TabReachesEachLinkWhichShowsTheFocusAndOpensWithEnterOrSpace) {
  const HWND home = m_box.Item(IDC_LINK_HOME);
  const HWND mail = m_box.Item(IDC_LINK_MAIL);
  const struct {
    HWND link;
    WORD key;
    const char* file;
  } steps[] = {{home, VK_RETURN, "http://quillbright.example"}, {mail, VK_SPACE, "mailto:support@quillbright.example"}};
  ASSERT_EQ(Focus(), m_box.Item(IDOK));
  for (const auto& step : steps) {
    SCOPED_TRACE(step.file);
    const std::vector<COLORREF> unfocused = TopRow(step.link);
    Press(VK_TAB);
    ASSERT_TRUE(WaitForFocusOn(step.link));
    EXPECT_NE(TopRow(step.link), unfocused) << "no focus rectangle";
    ForgetShellCalls();
    Press(step.key);
    const auto call = WaitForShellCall();
    ASSERT_TRUE(call);
    EXPECT_EQ(call->file, step.file);
    EXPECT_EQ(::IsWindow(m_box.Window()), TRUE) << "the key closed the box";
  }
  Press(VK_TAB);
  EXPECT_TRUE(WaitForFocusOn(m_box.Item(IDOK))) << "Tab goes round";
}

TEST_F(AboutBoxLinks, ScreenReadersReadEachLinkAsALinkAndCanFollowIt) {
  const struct {
    int id;
    const char* name;
    const char* file;
  } links[] = {{IDC_LINK_HOME, "Home page", "http://quillbright.example"},
               {IDC_LINK_MAIL, "eMail", "mailto:support@quillbright.example"}};
  for (const auto& link : links) {
    SCOPED_TRACE(link.name);
    ComPtr<IAccessible> object;
    ASSERT_TRUE(
        SUCCEEDED(::AccessibleObjectFromWindow(m_box.Item(link.id), static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                               reinterpret_cast<void**>(object.GetAddressOf()))));
    EXPECT_EQ(Name(object.Get()), link.name);
    VARIANT role;
    ::VariantInit(&role);
    ASSERT_TRUE(SUCCEEDED(object->get_accRole(Self(), &role)));
    EXPECT_EQ(role.vt, VT_I4);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_LINK);
    BSTR action = nullptr;
    EXPECT_TRUE(SUCCEEDED(object->get_accDefaultAction(Self(), &action)));
    EXPECT_EQ(Narrow(action), "Jump");
    ForgetShellCalls();
    ASSERT_TRUE(SUCCEEDED(object->accDoDefaultAction(Self())));
    const auto call = WaitForShellCall();
    ASSERT_TRUE(call);
    EXPECT_EQ(call->file, link.file);
  }
}

// The object itself, as a client in the program's own thread holds it (an
// in-context hook), without a proxy between.
class AccessibleObjects : public testing::Test {
protected:
  void SetUp() override {
    m_hEdit = ::CreateWindowExA(0, "EDIT", "typed", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(m_hEdit, nullptr);
    m_pObjects = std::make_unique<CAccessibleObjects>();
    const LRESULT answer = m_pObjects->Answer(m_hEdit, 0, [this] {
      ++m_nAsked;
      return AccessibleFacts{"Named", std::string("Valued"), 0};
    });
    ASSERT_GT(answer, 0);
    ASSERT_TRUE(
        SUCCEEDED(::ObjectFromLresult(answer, IID_IAccessible, 0, reinterpret_cast<void**>(m_pObject.GetAddressOf()))));
  }
  void TearDown() override {
    m_pObject.Reset();
    m_pObjects.reset();
    if (m_hEdit) ::DestroyWindow(m_hEdit);
  }

  CComApartment m_apartment;
  HWND m_hEdit = nullptr;
  int m_nAsked = 0;
  std::unique_ptr<CAccessibleObjects> m_pObjects;
  ComPtr<IAccessible> m_pObject;
};

// Whatever a client asks for, each interface it gets leads back to the one
// IUnknown and on to the others, as COM requires.
TEST_F(AccessibleObjects, EveryInterfaceLeadsBackToTheSameObject) {
  IUnknown* const self = UnknownOf(m_pObject.Get());
  for (REFIID riid : {IID_IAccessible, IID_IDispatch, IID_IOleWindow, IID_IAccIdentity, IID_IEnumVARIANT}) {
    ComPtr<IUnknown> part;
    if (FAILED(m_pObject->QueryInterface(riid, reinterpret_cast<void**>(part.GetAddressOf())))) continue;
    EXPECT_EQ(UnknownOf(part.Get()), self);
    ComPtr<IAccessible> back;
    EXPECT_TRUE(SUCCEEDED(part->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(back.GetAddressOf()))));
  }
  EXPECT_EQ(Name(m_pObject.Get()), "Named");
}

// A reader may keep an object after the window has gone; asking it then must
// fail cleanly, and must not reach the facts, whose owner is gone.
TEST_F(AccessibleObjects, ObjectKeptPastItsOwnerAnswersWithAnErrorAndAsksNothing) {
  ASSERT_EQ(Value(m_pObject.Get()), "Valued");
  m_pObjects.reset();
  m_nAsked = 0;
  BSTR value = nullptr;
  EXPECT_EQ(m_pObject->get_accValue(Self(), &value), CO_E_OBJNOTCONNECTED);
  ::SysFreeString(value);
  VARIANT role;
  ::VariantInit(&role);
  EXPECT_EQ(m_pObject->get_accRole(Self(), &role), CO_E_OBJNOTCONNECTED) << "nor the standard object's answer";
  EXPECT_EQ(m_nAsked, 0);
}

}  // namespace
