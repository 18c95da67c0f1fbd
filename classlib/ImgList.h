// An image list component: owns one common-controls image list.
#pragma once

#include <windows.h>
// The common controls header needs the Windows types declared first.
#include <commctrl.h>

#include "Component.h"

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner) : TComponent(owner) {}
  ~TImageList() override;

  // Takes ownership of the list.
  void SetHandle(HIMAGELIST list);
  HIMAGELIST Handle() const { return FHandle; }
  int Count() const { return FHandle ? ImageList_GetImageCount(FHandle) : 0; }
  int Width() const;
  int Height() const;

 private:
  HIMAGELIST FHandle = nullptr;  // owned
};

// Image lists alive in this library, for leak checks.
int LiveImageListCount();
