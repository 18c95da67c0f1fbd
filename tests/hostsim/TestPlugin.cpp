// A minimal plug-in for the simulator's own tests: the five entry points a host calls, answering as the
// test sets them up and remembering what the host did to it.
#include <cstring>

#include "SimControl.h"

namespace {

int plugId = -1;
int leftClickAnswer = 1;
int deactivations = 0;
int selectionNotices = 0;
int lastEventCode = -1;
bool forceAgainOnDeactivate = false;

void __cdecl OnSelection() {
  ++selectionNotices;
}

int __cdecl OnGeneralEvent(int, void* data) {
  lastEventCode = static_cast<tsxEventGeneralData*>(data)->code;
  return 0;
}

}  // namespace

extern "C" {

int __cdecl tsxGetVersion() {
  return 500;
}

void __cdecl tsxGetData(void* data, int id) {
  plugId = id;
  auto* record = static_cast<SimPlugData*>(data);
  std::strcpy(record->title, "Test Plug");
  std::strcpy(record->author, "Quillon tests");
  record->bitmapId = 100;
  record->stringId = 0;
  tsxSelectionChangedCB(id, OnSelection);
  tsxRegisterEventCallback(e_tsxEVENT_GENERAL, OnGeneralEvent, 1);
}

int __cdecl tsxOnLeftClick() {
  return leftClickAnswer;
}

void __cdecl tsxOnRightClick() {}

// Closing the window again from inside deactivation is what a careless panel does.
void __cdecl tsxDeactivate() {
  ++deactivations;
  if (forceAgainOnDeactivate) tsxForceLeftClick(plugId);
}

void __cdecl testPlugSetup(int answer, int forceAgain) {
  leftClickAnswer = answer;
  forceAgainOnDeactivate = forceAgain != 0;
  deactivations = selectionNotices = 0;
  lastEventCode = -1;
}
int __cdecl testPlugDeactivations() {
  return deactivations;
}
int __cdecl testPlugSelectionNotices() {
  return selectionNotices;
}
int __cdecl testPlugLastEventCode() {
  return lastEventCode;
}

}  // extern "C"
