#include "ActnList.h"

#include <algorithm>

TAction::~TAction() {
  SetActionList(nullptr);
}

void TAction::SetActionList(TActionList* list) {
  if (list == FActionList) return;
  if (FActionList) {
    auto& actions = FActionList->FActions;
    actions.erase(std::remove(actions.begin(), actions.end(), this), actions.end());
  }
  FActionList = list;
  if (FActionList) FActionList->FActions.push_back(this);
}

bool TAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

// A list may go before its actions (they are all the form's); they must not point at it afterwards.
TActionList::~TActionList() {
  for (TAction* action : FActions) action->FActionList = nullptr;
}
