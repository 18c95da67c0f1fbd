#include "ImgList.h"

namespace {
int LiveLists = 0;
}

int LiveImageListCount() {
  return LiveLists;
}

TImageList::~TImageList() {
  SetHandle(nullptr);
}

void TImageList::SetHandle(HIMAGELIST list) {
  if (FHandle) {
    ImageList_Destroy(FHandle);
    --LiveLists;
  }
  FHandle = list;
  if (FHandle) ++LiveLists;
}

int TImageList::Width() const {
  int width = 0, height = 0;
  if (FHandle) ImageList_GetIconSize(FHandle, &width, &height);
  return width;
}

int TImageList::Height() const {
  int width = 0, height = 0;
  if (FHandle) ImageList_GetIconSize(FHandle, &width, &height);
  return height;
}
