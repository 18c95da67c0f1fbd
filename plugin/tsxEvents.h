// Host event subscription: TTsxEvents registers plain callback functions with the host and turns each
// notification into one of its events, so a form receives the host's notifications like any other event.
// The host callbacks carry no object, so the component that activated last is kept library-wide.
#pragma once

#include <cstdint>
#include <functional>

#include "Component.h"
#include "EnumSet.h"
#include "TsxApi5.h"
#include "tsxPlug.h"

enum TPlugEventKind : uint8_t {
  peRender,
  peMouse,
  peViewMsg,
  peGeneral,
  peSelect,
  peDestroyObject,
  peActiveTime,
  peObjectMove,
};

// A set of TPlugEventKind stored as one byte: bit 0 for peRender up to bit 7 for peObjectMove.
using TPlugEvents = TEnumSet<TPlugEventKind, uint8_t>;
static_assert(sizeof(TPlugEvents) == 1);

using TPlugRenderEvent = std::function<void(const tsxEventRenderData& inData)>;
using TPlugMouseEvent = std::function<void(const tsxEventMouseData& inData)>;
using TPlugViewEvent = std::function<void(const tsxEventViewMsgData& inData)>;
using TPlugDestroyObjectEvent = std::function<void(SobjHandle inSobj)>;
using TPlugActiveTimeChangedEvent = std::function<void(float inTime)>;
using TPlugCurrobjMoveEvent = std::function<void(const CtsxTxmx3f& pTxmx, short aVar)>;

class TTsxEvents : public TComponent {
 public:
  // A new component is inactive and subscribes to nothing.
  explicit TTsxEvents(TComponent* owner);
  // Stops being reachable from the host at once; see the definition for what it withdraws.
  ~TTsxEvents() override;

  bool Active() const { return FActive; }
  void SetActive(bool value);
  TPlugEvents Events() const { return FEvents; }
  // While active, the host registrations follow the new set at once.
  void SetEvents(TPlugEvents value);

  // Routes a notification of the generic registration (category 0 to 3) to the matching event. The
  // generic events are read at each notification; the other four only at activation.
  void DispatchEvent(int category, void* data);

  TPlugRenderEvent OnRenderInit;
  TPlugRenderEvent OnRenderBegin;
  TPlugRenderEvent OnRenderEnd;
  TPlugRenderEvent OnRenderFrameStart;
  TPlugRenderEvent OnRenderFrameEnd;
  TPlugRenderEvent OnRenderAbort;
  TPlugRenderEvent OnRenderError;
  TPlugMouseEvent OnMouseMessage;
  TPlugMouseEvent OnMouseEvent;
  TPlugMouseEvent OnMouseDrag;
  TPlugViewEvent OnViewEvent;
  TPlugEvent OnAppStart;
  TPlugEvent OnAppClose;
  TPlugEvent OnSceneNew;
  TPlugEvent OnSceneLoad;
  TPlugEvent OnSceneClose;
  TPlugEvent OnSelectionChanged;
  TPlugDestroyObjectEvent OnObjectDestroy;
  TPlugActiveTimeChangedEvent OnActiveTimeChanged;
  TPlugCurrobjMoveEvent OnObjectMove;

 private:
  void RegisterCallbacks();
  void UnregisterCallbacks();
  void ForgetAsTarget();

  bool FActive = false;
  TPlugEvents FEvents;
};

// The component whose DispatchEvent the generic callback calls: the one that activated last, until it is
// destroyed. Not owned.
extern TTsxEvents* EventTarget;
// The target's handlers for the four specific callbacks, as they were when it activated.
struct TEventSnapshot {
  TPlugEvent selectionChanged;
  TPlugDestroyObjectEvent objectDestroy;
  TPlugActiveTimeChangedEvent activeTimeChanged;
  TPlugCurrobjMoveEvent objectMove;
};
extern TEventSnapshot Snapshot;
