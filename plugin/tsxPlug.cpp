#include "tsxPlug.h"

#include <algorithm>
#include <cstring>

#include "Application.h"
#include "EntryBarrier.h"
#include "Forms.h"
#include "HostCall.h"
#include "ResourceIds.h"
#include "WindowClasses.h"

const char* const DefaultPlugTitle = "Quillon Scene Tree";
const char* const PlugMakerName = "Quillon Works";

std::string PlugTitle = DefaultPlugTitle;
std::string PlugAuthor = PlugMakerName;
int32_t PlugResBmpId = IDB_DEFAULT_PLUGIN;
int32_t PlugResStringId = IDS_DEFAULT_DESCRIPTION;
int32_t PlugApiVersion = 430;
int32_t PlugId = -1;
bool PlugActive = false;
bool PlugShuttingDown = false;
TPlugEvent PlugOnInit;
TPlugLeftClickEvent PlugOnLeftClick;
TPlugEvent PlugOnRightClick;
TPlugEvent PlugOnDeactivate;
TPlugTrapKeyEvent PlugTrapKey;
TPlugTrapMouseEvent PlugTrapMouse;
tsxGetMainViewHwndProc HostGetMainViewHwnd = nullptr;
tsxForceLeftClickProc HostForceLeftClick = nullptr;
HHOOK KeyHook = nullptr;
HHOOK MouseHook = nullptr;

namespace {
TMainFormFactory MainFormFactory = nullptr;
// The components whose closures the library-wide handlers and traps hold, if any.
TTsx* HandlersBoundBy = nullptr;
TTsx* TrapsBoundBy = nullptr;

LRESULT CALLBACK KeyHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0 && PlugTrapKey)
    EntryBarrier([&] { PlugTrapKey(static_cast<DWORD>(wParam), static_cast<DWORD>(lParam)); });
  return CallNextHookEx(KeyHook, code, wParam, lParam);
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
  bool discard =
      code >= 0 && PlugTrapMouse &&
      EntryBarrier([&] { return !PlugTrapMouse(static_cast<DWORD>(wParam), static_cast<DWORD>(lParam)); },
                   false);
  return discard ? 1 : CallNextHookEx(MouseHook, code, wParam, lParam);
}

// Copies text into a fixed field of the host's record: cut to fit, always terminated.
template <size_t N>
void CopyField(char (&field)[N], const std::string& text) {
  size_t length = std::min(text.size(), N - 1);
  memcpy(field, text.data(), length);
  field[length] = '\0';
}
}  // namespace

namespace {
template <class Proc>
Proc ProcAs(FARPROC address) {
  return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(address));
}
}  // namespace

void LookupHostFunctions() {
  // Already loaded as our import; this only takes its handle (and a reference that is never given back).
  HMODULE host = LoadLibraryA("Tsxapi.dll");
  if (!host) return;
  HostGetMainViewHwnd = ProcAs<tsxGetMainViewHwndProc>(GetProcAddress(host, "tsxGetMainViewHwnd"));
  HostForceLeftClick = ProcAs<tsxForceLeftClickProc>(GetProcAddress(host, "tsxForceLeftClick"));
}

TTsx::TTsx(TComponent* owner) : TComponent(owner) {
  FOwnerForm = dynamic_cast<TForm*>(owner);
  if (!FOwnerForm) return;
  LookupHostFunctions();
  PlaceFormInMainView();
  PlugOnInit = nullptr;
  PlugTrapKey = [this](DWORD wParm, DWORD lParm) { TrapKey(wParm, lParm); };
  PlugTrapMouse = [this](DWORD wParm, DWORD lParm) { return TrapMouse(wParm, lParm); };
  TrapsBoundBy = this;
}

TTsx::~TTsx() {
  if (TrapsBoundBy == this) {
    PlugTrapKey = nullptr;
    PlugTrapMouse = nullptr;
    TrapsBoundBy = nullptr;
  }
  if (HandlersBoundBy == this) {
    PlugOnInit = nullptr;
    PlugOnLeftClick = nullptr;
    PlugOnRightClick = nullptr;
    PlugOnDeactivate = nullptr;
    HandlersBoundBy = nullptr;
  }
}

void TTsx::PlaceFormInMainView() {
  if (!FOwnerForm) return;
  HWND mainView = HostGetMainViewHwnd ? HostCall(HostGetMainViewHwnd) : nullptr;
  if (mainView && IsWindow(mainView)) SetParent(FOwnerForm->Handle(), mainView);
}

void TTsx::Loaded() {
  TComponent::Loaded();
  PublishPlugInfo();
  if (HookKeys && !KeyHook)
    KeyHook = SetWindowsHookExA(WH_KEYBOARD, KeyHookProc, nullptr, GetCurrentThreadId());
  if (HookMouse && !MouseHook)
    MouseHook = SetWindowsHookExA(WH_MOUSE, MouseHookProc, nullptr, GetCurrentThreadId());
}

void TTsx::PublishPlugInfo() {
  PlugTitle = Title;
  PlugAuthor = Author;
  PlugResBmpId = ResBmpId;
  PlugResStringId = ResStringId;
  PlugApiVersion = ApiVersionNeeded;
  PlugOnLeftClick = OnLeftClick;
  PlugOnRightClick = OnRightClick;
  PlugOnDeactivate = OnDeactivate;
  PlugOnInit = OnPlugInit;
  HandlersBoundBy = this;
}

void TTsx::TrapKey(DWORD wParm, DWORD lParm) {
  if (OnTrapKey) OnTrapKey(wParm, lParm);
}

bool TTsx::TrapMouse(DWORD wParm, DWORD lParm) {
  return OnTrapMouse ? OnTrapMouse(wParm, lParm) : false;
}

void RegisterMainFormFactory(TMainFormFactory factory) {
  MainFormFactory = factory;
}

// Windows are made at the first export call rather than in DllMain: creating them under the loader lock
// is unsafe, and the host cannot tell the difference. A form that could not be made (a window class
// refused, say) is tried again at the next export call, after its failure has been shown.
void EnsureMainForm() {
  if (PlugShuttingDown || !MainFormFactory || Application().MainForm) return;
  Application().MainForm = MainFormFactory(&Application());
}

void ShutDownLibrary() {
  PlugShuttingDown = true;
  PlugTitle.clear();
  PlugAuthor.clear();
  PlugTrapKey = nullptr;
  PlugTrapMouse = nullptr;
  if (ApplicationExists()) DestroyApplication();
  UnregisterWindowClasses();
}

namespace {
// No failure may cross into the host: whatever a handler let through ends in the default error handling.
template <class Body>
auto Guarded(Body body, decltype(body()) fallback) -> decltype(body()) {
  return EntryBarrier(
      [&] {
        EnsureMainForm();
        return body();
      },
      fallback);
}
}  // namespace

extern "C" int __cdecl tsxGetVersion(void) {
  return Guarded([] { return PlugApiVersion; }, PlugApiVersion);
}

extern "C" void __cdecl tsxGetData(TPlugData* data, int id) {
  Guarded(
      [&] {
        PlugId = id;
        if (PlugOnInit) PlugOnInit();
        if (!data) return 0;
        CopyField(data->Title, PlugTitle);
        CopyField(data->Author, PlugAuthor);
        data->ResBmpId = static_cast<uint16_t>(PlugResBmpId & 0xFFFF);
        data->ResStringId = static_cast<uint16_t>(PlugResStringId & 0xFFFF);
        return 0;
      },
      0);
}

extern "C" int __cdecl tsxOnLeftClick(void) {
  return Guarded(
      [] {
        int result = PlugOnLeftClick ? PlugOnLeftClick() : 0;
        PlugActive = result == 1;
        return result;
      },
      0);
}

extern "C" void __cdecl tsxOnRightClick(void) {
  Guarded(
      [] {
        if (PlugOnRightClick) PlugOnRightClick();
        return 0;
      },
      0);
}

extern "C" void __cdecl tsxDeactivate(void) {
  if (PlugShuttingDown) return;
  Guarded(
      [] {
        PlugActive = false;
        if (PlugOnDeactivate) PlugOnDeactivate();
        return 0;
      },
      0);
}
