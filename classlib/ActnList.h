// Actions: one command that several controls (a button, a menu entry) run the same way, gathered in a
// list that names the pictures they show.
#pragma once

#include <vector>

#include "Component.h"
#include "Controls.h"

class TActionList;
class TImageList;

class TAction : public TComponent {
 public:
  explicit TAction(TComponent* owner) : TComponent(owner) {}
  ~TAction() override;

  TActionList* ActionList() const { return FActionList; }
  void SetActionList(TActionList* list);

  int ImageIndex = -1;
  TNotifyEvent OnExecute;

  // Runs OnExecute with the action as sender; false when there is no handler to run.
  virtual bool Execute();

 private:
  friend class TActionList;
  TActionList* FActionList = nullptr;  // not owned
};

class TActionList : public TComponent {
 public:
  explicit TActionList(TComponent* owner) : TComponent(owner) {}
  ~TActionList() override;

  TImageList* Images = nullptr;  // not owned

  int ActionCount() const { return static_cast<int>(FActions.size()); }
  TAction* Actions(int index) const { return FActions[index]; }

 private:
  friend class TAction;
  std::vector<TAction*> FActions;  // not owned: the form owns actions and list alike
};
