// The plug-in frame: the five exports the host calls, the plug-in component TTsx that answers them, and
// the library-wide state through which the exports (plain functions without an object) reach it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "Component.h"
#include "TsxApi5.h"

class TForm;

using TPlugEvent = std::function<void()>;
using TPlugLeftClickEvent = std::function<int()>;
using TPlugTrapKeyEvent = std::function<void(DWORD wParm, DWORD lParm)>;
using TPlugTrapMouseEvent = std::function<bool(DWORD wParm, DWORD lParm)>;

// The record the host hands to tsxGetData; the plug-in writes these four fields and nothing else.
struct TPlugData {
  char Title[32];
  char Author[64];
  uint16_t ResBmpId;
  uint16_t ResStringId;
};
static_assert(offsetof(TPlugData, Title) == 0);
static_assert(offsetof(TPlugData, Author) == 32);
static_assert(offsetof(TPlugData, ResBmpId) == 96);
static_assert(offsetof(TPlugData, ResStringId) == 98);

// The library's defaults, also what the main form's component states.
extern const char* const DefaultPlugTitle;
extern const char* const PlugMakerName;

// Library-wide plug-in state: one set per library, through which the exports (plain functions without an
// object) reach the plug-in component. All of it lives on the host's user-interface thread.

// What the host is told about the plug-in. Written by the plug-in component when its form has loaded
// (TTsx::Loaded); read by tsxGetVersion and tsxGetData.
extern std::string PlugTitle;
extern std::string PlugAuthor;
extern int32_t PlugResBmpId;
extern int32_t PlugResStringId;
extern int32_t PlugApiVersion;
// The identifier the host gives in tsxGetData (-1 before). Written by tsxGetData; read by the event
// subscription (its registrations) and the base form (tsxForceLeftClick).
extern int32_t PlugId;
// Written by tsxOnLeftClick (the handler's answer was 1) and tsxDeactivate; read by the base form's close.
extern bool PlugActive;
// Set once, when the library unloads (ShutDownLibrary); read by every path that would call the host.
extern bool PlugShuttingDown;
// The handlers the exports call. Bound by the plug-in component when its form has loaded, unbound when
// that component goes; called only by the exports.
extern TPlugEvent PlugOnInit;
extern TPlugLeftClickEvent PlugOnLeftClick;
extern TPlugEvent PlugOnRightClick;
extern TPlugEvent PlugOnDeactivate;
// The hooks' traps. Bound by the plug-in component at creation, unbound when it goes; called only by the
// hook procedures.
extern TPlugTrapKeyEvent PlugTrapKey;
extern TPlugTrapMouseEvent PlugTrapMouse;
// The two host functions looked up by name. Written by LookupHostFunctions (the component's creation);
// read by the component (the main view) and the base form (tsxForceLeftClick).
extern tsxGetMainViewHwndProc HostGetMainViewHwnd;
extern tsxForceLeftClickProc HostForceLeftClick;
// The hooks, installed by the component when its definition asks for them, for the library's lifetime.
extern HHOOK KeyHook;
extern HHOOK MouseHook;

class TTsx : public TComponent {
 public:
  explicit TTsx(TComponent* owner);
  // Unbinds the library-wide handlers and traps it bound: they call into this component and its form.
  ~TTsx() override;
  void Loaded() override;

  TPlugEvent OnPlugInit;
  TPlugLeftClickEvent OnLeftClick;
  TPlugEvent OnRightClick;
  TPlugEvent OnDeactivate;
  TPlugTrapKeyEvent OnTrapKey;
  TPlugTrapMouseEvent OnTrapMouse;

  // Makes the form's window, if it has none, a child of the host's main view. Without a main view the
  // form stays a window of its own rather than failing to exist.
  void PlaceFormInMainView();

  int PluginId() const { return PlugId; }
  std::string Title;
  std::string Author;
  int32_t ResBmpId = 0;
  int32_t ResStringId = 0;
  int32_t ApiVersionNeeded = 0;
  bool HookKeys = false;
  bool HookMouse = false;

 private:
  void PublishPlugInfo();
  void TrapKey(DWORD wParm, DWORD lParm);
  bool TrapMouse(DWORD wParm, DWORD lParm);

  TForm* FOwnerForm = nullptr;  // not owned
};

void LookupHostFunctions();

// The main form is made by the scene panel's unit, which registers how; the frame only calls it.
using TMainFormFactory = TForm* (*)(TComponent* owner);
void RegisterMainFormFactory(TMainFormFactory factory);
// Makes the main form if it does not exist yet. Every export calls this first.
void EnsureMainForm();
// Unload: sets PlugShuttingDown, then destroys the main form and releases every window class.
void ShutDownLibrary();

extern "C" {
int __cdecl tsxGetVersion(void);
void __cdecl tsxGetData(TPlugData* data, int id);
int __cdecl tsxOnLeftClick(void);
void __cdecl tsxOnRightClick(void);
void __cdecl tsxDeactivate(void);
}
