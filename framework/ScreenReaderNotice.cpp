#include "ScreenReaderNotice.h"

#include <uiautomationcore.h>
#include <wrl/client.h>

#include <string>

#include "Bstr.h"
#include "LateBoundFunction.h"

namespace {

// Values of the system's NotificationKind and NotificationProcessing, which the
// compiler's headers do not have: an action has finished, and its outcome
// replaces whatever the reader was about to say of an earlier one.
constexpr int kNotificationKindActionCompleted = 2;
constexpr int kNotificationProcessingImportantMostRecent = 1;

using HostProviderFromHwndProc = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);
using RaiseNotificationEventProc = HRESULT(WINAPI*)(IRawElementProviderSimple*, int, int, BSTR, BSTR);
using ClientsAreListeningProc = BOOL(WINAPI*)();

struct UiaNotifications {
  HostProviderFromHwndProc hostProviderFromHwnd = nullptr;
  RaiseNotificationEventProc raiseNotificationEvent = nullptr;
  ClientsAreListeningProc clientsAreListening = nullptr;
};

// Looked up at run time: the program must start on systems without the
// notification (Windows 7 and 8).
const UiaNotifications& Notifications() {
  static const UiaNotifications found = [] {
    UiaNotifications procs;
    const HMODULE core = LoadSystemLibrary("UIAutomationCore.dll");
    if (!core) return procs;
    procs.hostProviderFromHwnd = LateBoundFunction<HostProviderFromHwndProc>(core, "UiaHostProviderFromHwnd");
    procs.raiseNotificationEvent = LateBoundFunction<RaiseNotificationEventProc>(core, "UiaRaiseNotificationEvent");
    procs.clientsAreListening = LateBoundFunction<ClientsAreListeningProc>(core, "UiaClientsAreListening");
    return procs;
  }();
  return found;
}

// Narrator and NVDA read a notification's own text wherever the focus is in
// the program. A live-region change would not do: for it both read the
// field's name, which stays the same, not the text that changed.
void RaiseUiaNotification(HWND field, std::string_view text) {
  const UiaNotifications& uia = Notifications();
  if (!uia.hostProviderFromHwnd || !uia.raiseNotificationEvent) return;
  if (uia.clientsAreListening && !uia.clientsAreListening()) return;
  Microsoft::WRL::ComPtr<IRawElementProviderSimple> provider;
  if (FAILED(uia.hostProviderFromHwnd(field, provider.GetAddressOf())) || !provider) return;
  const BstrOwner display(AllocBstr(text));
  const BstrOwner activity(::SysAllocString(L"FieldTextChanged"));
  if (!display || !activity) return;
  uia.raiseNotificationEvent(provider.Get(), kNotificationKindActionCompleted,
                             kNotificationProcessingImportantMostRecent, display.get(), activity.get());
}

}  // namespace

void AnnounceFieldText(HWND field, std::string_view text) {
  ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, field, OBJID_CLIENT, CHILDID_SELF);
  RaiseUiaNotification(field, text);
}
