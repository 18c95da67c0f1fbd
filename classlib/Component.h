// Components and ownership: a component owns the components created with it as owner and destroys them,
// last created first, when it is destroyed itself.
#pragma once

#include <string>
#include <vector>

class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  void SetName(std::string name) { FName = std::move(name); }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const { return FComponents[index]; }

  // True from the start of the owner's definition until its components have been loaded.
  bool Loading() const { return FLoading; }
  bool Destroying() const { return FDestroying; }

  // Runs once, after the definition that holds the component has been read.
  virtual void Loaded() { FLoading = false; }
  // Loads this component and everything it owns, owners' parts first.
  void LoadTree();

 protected:
  // A component it owns, or one it refers to, is going away.
  virtual void ComponentRemoved(TComponent*) {}
  void BeginDestruction() { FDestroying = true; }
  // Destroys the owned components now (a window owner must do it before its own window goes).
  void DestroyComponents();

 private:
  void Insert(TComponent* component) { FComponents.push_back(component); }
  void Remove(TComponent* component);

  TComponent* FOwner;  // not owned
  std::string FName;
  std::vector<TComponent*> FComponents;  // owned, in creation order
  bool FLoading = true;
  bool FDestroying = false;
};
