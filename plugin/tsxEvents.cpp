#include "tsxEvents.h"

#include <cstddef>
#include <iterator>

#include "EntryBarrier.h"
#include "HostCall.h"

TTsxEvents* EventTarget = nullptr;
TEventSnapshot Snapshot;

namespace {

// The generic registrations, in the order the host gets them and has them withdrawn.
struct GenericRegistration {
  TPlugEventKind kind;
  int category;
};
constexpr GenericRegistration kGenericRegistrations[] = {
    {peGeneral, e_tsxEVENT_GENERAL},
    {peRender, e_tsxEVENT_RENDER},
    {peMouse, e_tsxEVENT_MOUSE},
    {peViewMsg, e_tsxEVENT_VIEWMSG},
};

// Indexed by the event code of the record.
constexpr TPlugRenderEvent TTsxEvents::*kRenderEvents[] = {
    &TTsxEvents::OnRenderInit,       &TTsxEvents::OnRenderBegin,    &TTsxEvents::OnRenderEnd,
    &TTsxEvents::OnRenderFrameStart, &TTsxEvents::OnRenderFrameEnd, &TTsxEvents::OnRenderAbort,
    &TTsxEvents::OnRenderError,
};
// The mouse events start at code 1: a record with code 0 is left alone.
constexpr TPlugMouseEvent TTsxEvents::*kMouseEvents[] = {
    nullptr,
    &TTsxEvents::OnMouseMessage,
    &TTsxEvents::OnMouseEvent,
    &TTsxEvents::OnMouseDrag,
};
constexpr TPlugEvent TTsxEvents::*kGeneralEvents[] = {
    &TTsxEvents::OnAppStart, &TTsxEvents::OnAppClose,  &TTsxEvents::OnSceneClose,
    &TTsxEvents::OnSceneNew, &TTsxEvents::OnSceneLoad,
};

template <class Handler, class... Args>
void Raise(const Handler& handler, const Args&... args) {
  if (!handler) return;
  // A handler may well destroy the component or its form (closing the panel); the copy keeps the code it
  // is running alive until it returns.
  Handler running = handler;
  running(args...);
}

template <class Handler, std::size_t N, class Record>
void RaiseByCode(TTsxEvents& events, Handler TTsxEvents::*const (&table)[N], const Record& record) {
  int code = record.code;
  if (code < 0 || code >= static_cast<int>(N) || !table[code]) return;
  Raise(events.*table[code], record);
}

// Handlers belong to the form that owns the target. Once the library is shutting down, or that form has
// begun tearing down its components, they must not run any more.
bool TargetReachable() {
  if (PlugShuttingDown || !EventTarget) return false;
  TComponent* owner = EventTarget->Owner();
  return !owner || !owner->Destroying();
}

int __cdecl GenericEventCallback(int category, void* data) {
  if (TargetReachable()) EntryBarrier([&] { EventTarget->DispatchEvent(category, data); });
  return 0;
}

void __cdecl SelectionChangedCallback() {
  if (TargetReachable()) EntryBarrier([] { Raise(Snapshot.selectionChanged); });
}

void __cdecl ObjectDestroyCallback(SobjHandle object) {
  if (TargetReachable()) EntryBarrier([&] { Raise(Snapshot.objectDestroy, object); });
}

void __cdecl ActiveTimeChangedCallback() {
  // Nobody listening: the host is not even asked for the time.
  if (!TargetReachable() || !Snapshot.activeTimeChanged) return;
  EntryBarrier([] { Raise(Snapshot.activeTimeChanged, HostCall(tsxAnimGetActiveTime)); });
}

void __cdecl ObjectMoveCallback(CtsxTxmx3f* transform, short value) {
  if (TargetReachable() && transform) EntryBarrier([&] { Raise(Snapshot.objectMove, *transform, value); });
}

}  // namespace

TTsxEvents::TTsxEvents(TComponent* owner) : TComponent(owner) {}

TTsxEvents::~TTsxEvents() {
  // A component that another one has taken over from is not reachable any more, and the registrations
  // are the successor's now: leave them.
  if (EventTarget != this) return;
  ForgetAsTarget();
  if (PlugShuttingDown || !FActive) return;
  // Left registered, the host would go on calling into a subscription nobody holds.
  try {
    UnregisterCallbacks();
  } catch (...) {
    // Nowhere to report it from a destructor: the application object may be the one being torn down.
    // The callbacks no longer reach anything, so a registration left behind does no harm.
  }
}

void TTsxEvents::SetActive(bool value) {
  if (value) {
    RegisterCallbacks();
  } else {
    UnregisterCallbacks();
  }
}

void TTsxEvents::SetEvents(TPlugEvents value) {
  FEvents = value;
  if (!FActive) return;
  UnregisterCallbacks();
  RegisterCallbacks();
}

void TTsxEvents::RegisterCallbacks() {
  if (FActive) return;
  FActive = true;
  EventTarget = this;
  Snapshot = {OnSelectionChanged, OnObjectDestroy, OnActiveTimeChanged, OnObjectMove};

  if (FEvents.Contains(peSelect)) HostCall(tsxSelectionChangedCB, PlugId, SelectionChangedCallback);
  if (FEvents.Contains(peDestroyObject)) HostCall(tsxOnDestroyCB, PlugId, ObjectDestroyCallback);
  if (FEvents.Contains(peActiveTime)) HostCall(tsxActiveTimeChangedCB, PlugId, ActiveTimeChangedCallback);
  if (FEvents.Contains(peObjectMove)) HostCall(tsxCurrobjMoveCB, PlugId, ObjectMoveCallback);
  for (const GenericRegistration& generic : kGenericRegistrations) {
    if (FEvents.Contains(generic.kind))
      HostCall(tsxRegisterEventCallback, generic.category, GenericEventCallback, 1);
  }
}

void TTsxEvents::UnregisterCallbacks() {
  if (!FActive) return;
  FActive = false;
  // Every kind, whatever Events holds now: the set may have changed since the registrations were made.
  HostCall(tsxSelectionChangedCB, PlugId, nullptr);
  HostCall(tsxOnDestroyCB, PlugId, nullptr);
  HostCall(tsxActiveTimeChangedCB, PlugId, nullptr);
  HostCall(tsxCurrobjMoveCB, PlugId, nullptr);
  for (const GenericRegistration& generic : kGenericRegistrations) {
    HostCall(tsxRegisterEventCallback, generic.category, GenericEventCallback, 0);
  }
}

void TTsxEvents::ForgetAsTarget() {
  EventTarget = nullptr;
  Snapshot = {};
}

void TTsxEvents::DispatchEvent(int category, void* data) {
  if (!data) return;
  switch (category) {
    case e_tsxEVENT_RENDER:
      RaiseByCode(*this, kRenderEvents, *static_cast<const tsxEventRenderData*>(data));
      break;
    case e_tsxEVENT_MOUSE:
      RaiseByCode(*this, kMouseEvents, *static_cast<const tsxEventMouseData*>(data));
      break;
    case e_tsxEVENT_VIEWMSG:
      Raise(OnViewEvent, *static_cast<const tsxEventViewMsgData*>(data));
      break;
    case e_tsxEVENT_GENERAL: {
      int code = static_cast<const tsxEventGeneralData*>(data)->code;
      if (code >= 0 && code < static_cast<int>(std::size(kGeneralEvents))) Raise(this->*kGeneralEvents[code]);
      break;
    }
    default:
      break;
  }
}
