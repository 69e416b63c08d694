// A day with the window open, compressed: rounds of Result commands (values,
// prompts and a fault whose box is closed), a change of display scale and a
// font chosen, with the process's handles, private memory and GDI objects
// counted after the first round and after the last. Nothing the window makes
// for a command, a scale or a font may outlive it.
//
// Wine 8's buttons keep a copy of every image they are given and destroy only
// the last one: each icon the window gives its on-top button (at each change of
// scale) leaves Wine's copy behind, 3 GDI objects and about 4 KiB. The test
// counts those copies apart from what the window itself makes.
//
// TALLYWISE_SOAK_ROUNDS sets the number of rounds (100 Result commands, one
// change of scale and one font each); the default is CI's short run, 100 is
// the day-long run of 10,000 commands.
#include <windows.h>
#include <dlgs.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <string>

#include "Icon.h"
#include "MainDialogTest.h"
#include "WindowToolkit.h"

namespace {

constexpr int kCommandsPerRound = 100;
constexpr int kDefaultRounds = 4;

int Rounds() {
  const char* given = std::getenv("TALLYWISE_SOAK_ROUNDS");
  const int rounds = given ? std::atoi(given) : kDefaultRounds;
  return rounds >= 2 ? rounds : kDefaultRounds;
}

// GDI objects alive in this process. Windows counts them for GetGuiResources;
// Wine 8 answers 0 there, so its handle table is walked instead: Wine takes the
// low 16 bits of a handle as the index of its entry in the process's table and
// answers GetObjectType for any live entry reached that way. Device contexts
// and regions are left out there: Wine keeps a cache of window DCs and their
// clipping regions whose size follows the painting of the moment.
long GdiObjectCount() {
  if (const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<long>(counted);
  long live = 0;
  for (UINT_PTR index = 1; index <= 0xFFFF; ++index) {
    const DWORD type = ::GetObjectType(reinterpret_cast<HGDIOBJ>(index));
    if (type && type != OBJ_DC && type != OBJ_MEMDC && type != OBJ_REGION) ++live;
  }
  return live;
}

// Walking Wine's table rests on this: the entry of a live font answers, and
// the entry of a deleted one no longer does. Checked on a font of the test's
// own, by its entry, so that the window painting meanwhile cannot blur it.
bool GdiObjectCountSeesCreationAndDeletion() {
  if (::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) return true;  // the system's own count
  const HFONT font = ::CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  const auto entry = reinterpret_cast<HGDIOBJ>(reinterpret_cast<UINT_PTR>(font) & 0xFFFF);
  const bool seenAlive = ::GetObjectType(entry) == OBJ_FONT;
  ::DeleteObject(font);
  return seenAlive && ::GetObjectType(entry) == 0;
}

// Counts the images given to buttons on one thread, the window's.
class ButtonImagesGiven {
public:
  explicit ButtonImagesGiven(DWORD threadId)
      : m_hook(::SetWindowsHookExA(WH_CALLWNDPROC, &ButtonImagesGiven::Watch, nullptr, threadId)) {}
  ~ButtonImagesGiven() { ::UnhookWindowsHookEx(m_hook); }
  ButtonImagesGiven(const ButtonImagesGiven&) = delete;
  ButtonImagesGiven& operator=(const ButtonImagesGiven&) = delete;

  bool Watching() const { return m_hook != nullptr; }
  static long Count() { return s_count; }

private:
  static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == BM_SETIMAGE && message->lParam) ++s_count;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline std::atomic<long> s_count{0};
  HHOOK m_hook;
};

// Kernel handles open in this process. Wine 8 answers GetProcessHandleCount
// with 0; its handles are multiples of 4, each of which is tried.
long HandleCount() {
  DWORD counted = 0;
  if (::GetProcessHandleCount(::GetCurrentProcess(), &counted) && counted) return static_cast<long>(counted);
  long open = 0;
  for (UINT_PTR value = 4; value < 0x10000; value += 4) {
    DWORD flags = 0;
    if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++open;
  }
  return open;
}

// Committed private memory. Wine 8 leaves PrivateUsage at 0; the address space
// is walked instead.
long long PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory) &&
      memory.PrivateUsage) {
    return static_cast<long long>(memory.PrivateUsage);
  }
  long long committed = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (const char* at = nullptr; ::VirtualQuery(at, &region, sizeof region) == sizeof region;
       at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) committed += static_cast<long long>(region.RegionSize);
    if (static_cast<const char*>(region.BaseAddress) + region.RegionSize < at) break;
  }
  return committed;
}

// What one BM_SETIMAGE leaves behind in the button itself, measured on a
// button of the test's own given the same icon again and again: Wine 8's button
// copies the image each time and drops the copy before without destroying it
// (an icon of 3 bitmaps, about 4 KiB); nothing where no copy is lost. Averaged
// over many images, since the window may paint meanwhile.
struct ButtonImageResidue {
  long gdiObjects;
  long long privateBytes;
};

ButtonImageResidue LeftPerButtonImage() {
  CIcon icon;
  icon.Load(::GetModuleHandleA(nullptr), IDI_TOP, 16);
  const HWND button = ::CreateWindowExA(0, "Button", "", WS_POPUP | BS_ICON, 0, 0, 30, 30, nullptr, nullptr,
                                        ::GetModuleHandleA(nullptr), nullptr);
  constexpr long kImages = 20;
  ::SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.GetSafeHandle()));
  const long objectsBefore = GdiObjectCount();
  const long long bytesBefore = PrivateBytes();
  for (long image = 0; image < kImages; ++image) {
    ::SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.GetSafeHandle()));
  }
  const ButtonImageResidue left{(GdiObjectCount() - objectsBefore + kImages / 2) / kImages,
                                (PrivateBytes() - bytesBefore) / kImages};
  ::DestroyWindow(button);
  return left;
}

struct Usage {
  long handles;
  long long privateBytes;
  long gdiObjects;
  long buttonImages;  // given so far; each may leave Wine's copy behind
};

std::ostream& operator<<(std::ostream& out, const Usage& usage) {
  return out << usage.handles << " handles, " << usage.privateBytes / 1024 << " KiB private, " << usage.gdiObjects
             << " GDI objects, " << usage.buttonImages << " button images given";
}

// What one round types: values, prompts and, once, a fault that opens a box.
constexpr const char* kExpressions[] = {"2*(3+4)-5", "1/3", "50%200", "27#3", "2^10", "2*", "(1", "", "2 (3", "1,5+2.25"};
constexpr const char* kFault = "5+1/0";

class Soak : public MainDialogTest {
protected:
  // The window and its controls paint everything they show, now: a paint still
  // pending would make its brushes and theme bitmaps while objects are counted.
  void PaintNow() const {
    ::RedrawWindow(m_dialog->Window(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }

  Usage Measure() const {
    PaintNow();
    return {HandleCount(), PrivateBytes(), GdiObjectCount(), ButtonImagesGiven::Count()};
  }

  void Type(const char* text) const { ::SendMessageA(Expression(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }

  // The fault's box is closed with OK, as a user would.
  void ResultWithFault() const {
    Type(kFault);
    ::PostMessageA(m_dialog->Window(), WM_COMMAND, MAKEWPARAM(IDC_RESULT_BUTTON, BN_CLICKED),
                   reinterpret_cast<LPARAM>(m_dialog->Item(IDC_RESULT_BUTTON)));
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindDialogOfThread(m_dialog->ThreadId(), "Attention")) != nullptr; }));
    ::SendMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
  }

  // As when the window is dragged onto a monitor of the other scale.
  void ChangeScale(UINT dpi) const {
    RECT now;
    ::GetWindowRect(m_dialog->Window(), &now);
    const int from = static_cast<int>(dpi == 144 ? 96 : 144);
    const RECT suggested{now.left, now.top, now.left + ::MulDiv(now.right - now.left, static_cast<int>(dpi), from),
                         now.top + ::MulDiv(now.bottom - now.top, static_cast<int>(dpi), from)};
    ::SendMessageA(m_dialog->Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  }

  // The font chooser, a size picked from its list, OK.
  void ChooseFontSize(int sizeIndex) const {
    ::PostMessageA(m_dialog->Window(), WM_SYSCOMMAND, IDM_FONT, 0);
    HWND chooser = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (chooser = FindDialogOfThread(m_dialog->ThreadId(), "Font")) != nullptr; }));
    const HWND sizes = ::GetDlgItem(chooser, cmb3);
    ::SendMessageA(sizes, CB_SETCURSEL, static_cast<WPARAM>(sizeIndex), 0);
    ::SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(cmb3, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizes));
    ::PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(chooser, IDOK)));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(chooser); }));
  }

  void Round(int round) const {
    for (int command = 1; command < kCommandsPerRound; ++command) {
      Type(kExpressions[command % std::size(kExpressions)]);
      ClickResult();
    }
    ASSERT_NO_FATAL_FAILURE(ResultWithFault());
    ChangeScale(round % 2 ? 144 : 96);
    ASSERT_NO_FATAL_FAILURE(ChooseFontSize(round % 2 ? 2 : 4));
  }
};

TEST_F(Soak, NothingGrowsOverRoundsOfResultsScalesAndFonts) {
  PaintNow();
  ASSERT_TRUE(GdiObjectCountSeesCreationAndDeletion()) << "the GDI object count does not see fonts come and go";
  const ButtonImageResidue leftPerImage = LeftPerButtonImage();
  const ButtonImagesGiven imagesGiven(m_dialog->ThreadId());
  ASSERT_TRUE(imagesGiven.Watching());

  const int rounds = Rounds();
  ASSERT_NO_FATAL_FAILURE(Round(0));
  const Usage first = Measure();
  for (int round = 1; round < rounds; ++round) ASSERT_NO_FATAL_FAILURE(Round(round));
  // Back at the first round's scale, so that the same sizes of fonts and icons exist.
  if (rounds % 2 == 0) {
    ChangeScale(96);
    ASSERT_NO_FATAL_FAILURE(ChooseFontSize(4));
  }
  const Usage last = Measure();
  Type("2*(3+4)-5");
  ClickResult();
  EXPECT_EQ(WindowText(Result()).rfind("9.000", 0), 0u) << "the window no longer computes: " << WindowText(Result());
  std::cout << rounds * kCommandsPerRound << " Result commands, " << rounds << " changes of scale and fonts\n"
            << "after the first round: " << first << "\nafter the last round:  " << last << "\n";
  const long imagesGivenBetween = last.buttonImages - first.buttonImages;
  const ButtonImageResidue lostCopies{imagesGivenBetween * leftPerImage.gdiObjects,
                                      imagesGivenBetween * leftPerImage.privateBytes};
  std::cout << "of which the button's lost copies: " << lostCopies.gdiObjects << " GDI objects, "
            << lostCopies.privateBytes / 1024 << " KiB\n";
  EXPECT_LE(last.handles - first.handles, 4);
  EXPECT_LE(last.gdiObjects - first.gdiObjects - lostCopies.gdiObjects, 2);
  EXPECT_LE(last.privateBytes - first.privateBytes - lostCopies.privateBytes, 512 * 1024);
}

}  // namespace
