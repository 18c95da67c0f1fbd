#include "Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : FOwner(owner) {
  if (FOwner) FOwner->Insert(this);
}

TComponent::~TComponent() {
  FDestroying = true;
  DestroyComponents();
  if (FOwner) FOwner->Remove(this);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* last = FComponents.back();
    delete last;  // removes itself from the list
  }
}

void TComponent::Remove(TComponent* component) {
  auto it = std::find(FComponents.rbegin(), FComponents.rend(), component);
  if (it != FComponents.rend()) FComponents.erase(std::next(it).base());
  if (!FDestroying)
    for (TComponent* sibling : FComponents) sibling->ComponentRemoved(component);
}

void TComponent::LoadTree() {
  if (FLoading) Loaded();
  // Loaded may create components; walk by index so they are loaded too.
  for (size_t i = 0; i < FComponents.size(); ++i) FComponents[i]->LoadTree();
}
