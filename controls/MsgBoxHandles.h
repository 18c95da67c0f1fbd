// Owners of the handles a message box takes, so that every way out of building or showing it gives them
// back.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle>
class TGdiObject {
 public:
  TGdiObject() = default;
  explicit TGdiObject(Handle object) : FObject(object) {}
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  ~TGdiObject() {
    if (FObject) DeleteObject(FObject);
  }
  Handle Get() const { return FObject; }
  void Reset(Handle object) {
    if (FObject) DeleteObject(FObject);
    FObject = object;
  }

 private:
  Handle FObject = nullptr;
};

class TScreenDC {
 public:
  TScreenDC() : FDC(GetDC(nullptr)) {}
  TScreenDC(const TScreenDC&) = delete;
  TScreenDC& operator=(const TScreenDC&) = delete;
  ~TScreenDC() {
    if (FDC) ReleaseDC(nullptr, FDC);
  }
  HDC Get() const { return FDC; }

 private:
  HDC FDC;
};

class TMemoryDC {
 public:
  explicit TMemoryDC(HDC compatible) : FDC(CreateCompatibleDC(compatible)) {}
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  ~TMemoryDC() {
    if (FDC) DeleteDC(FDC);
  }
  HDC Get() const { return FDC; }

 private:
  HDC FDC;
};

// Puts the previous object back into the DC, so that the selected one can be deleted afterwards.
class TSelection {
 public:
  TSelection(HDC dc, HGDIOBJ object) : FDC(dc), FPrevious(SelectObject(dc, object)) {}
  TSelection(const TSelection&) = delete;
  TSelection& operator=(const TSelection&) = delete;
  ~TSelection() {
    if (FPrevious && FPrevious != HGDI_ERROR) SelectObject(FDC, FPrevious);
  }

 private:
  HDC FDC;
  HGDIOBJ FPrevious;
};
