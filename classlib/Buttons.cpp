#include "Buttons.h"

#include "ActnList.h"

TSpeedButton::~TSpeedButton() {
  if (FGlyph) ImageList_Destroy(FGlyph);
}

void TSpeedButton::SetGlyph(HBITMAP glyph) {
  if (FGlyph) ImageList_Destroy(FGlyph);
  FGlyph = nullptr;
  BITMAP info{};
  if (glyph && GetObjectA(glyph, sizeof info, &info) && info.bmWidth > 0 && info.bmHeight > 0) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, glyph);
    COLORREF transparent = GetPixel(dc, 0, info.bmHeight - 1);
    // The image list reads the bitmap itself, which it may not do while a device context holds it.
    SelectObject(dc, old);
    DeleteDC(dc);
    FGlyph = ImageList_Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (FGlyph && ImageList_AddMasked(FGlyph, glyph, transparent) < 0) {
      ImageList_Destroy(FGlyph);
      FGlyph = nullptr;
    }
  }
  if (glyph) DeleteObject(glyph);
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

SIZE TSpeedButton::GlyphSize() const {
  int width = 0, height = 0;
  if (FGlyph) ImageList_GetIconSize(FGlyph, &width, &height);
  return SIZE{width, height};
}

// The classic speed-button arrangement: glyph and caption centred across the layout's axis; along it the
// margin keeps the glyph off the edge, the spacing keeps the caption off the glyph.
TSpeedButton::TGlyphLayout TSpeedButton::CalcLayout(const RECT& area, SIZE caption) const {
  const SIZE client{area.right - area.left, area.bottom - area.top};
  const SIZE glyph = GlyphSize();
  const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
  TGlyphLayout out{};
  if (horizontal) {
    out.glyph.y = (client.cy - glyph.cy + 1) / 2;
    out.caption.y = (client.cy - caption.cy + 1) / 2;
  } else {
    out.glyph.x = (client.cx - glyph.cx + 1) / 2;
    out.caption.x = (client.cx - caption.cx + 1) / 2;
  }
  const int room = horizontal ? client.cx : client.cy;
  const int glyphLength = horizontal ? glyph.cx : glyph.cy;
  const int captionLength = horizontal ? caption.cx : caption.cy;
  int margin = Margin, spacing = Spacing;
  if (glyphLength == 0 || captionLength == 0) spacing = 0;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (room - glyphLength - captionLength) / 3;
      spacing = margin;
    } else {
      margin = (room - glyphLength - spacing - captionLength + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (room - margin - glyphLength - captionLength) / 2;
  }
  switch (Layout) {
    case blGlyphLeft:
      out.glyph.x = margin;
      out.caption.x = margin + glyph.cx + spacing;
      break;
    case blGlyphRight:
      out.glyph.x = client.cx - margin - glyph.cx;
      out.caption.x = out.glyph.x - spacing - caption.cx;
      break;
    case blGlyphTop:
      out.glyph.y = margin;
      out.caption.y = margin + glyph.cy + spacing;
      break;
    case blGlyphBottom:
      out.glyph.y = client.cy - margin - glyph.cy;
      out.caption.y = out.glyph.y - spacing - caption.cy;
      break;
  }
  for (POINT* p : {&out.glyph, &out.caption}) {
    p->x += area.left;
    p->y += area.top;
  }
  return out;
}

void TSpeedButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = "SpeedButton";
}

LRESULT TSpeedButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // Painted whole in Paint: an erased background first would only flicker.
  if (message == WM_ERASEBKGND) return 1;
  if (message == WM_CAPTURECHANGED && FPressed) SetPressedState(false, false);
  return TWinControl::WndProc(message, wParam, lParam);
}

void TSpeedButton::Paint(HDC dc) {
  RECT area;
  GetClientRect(FHandle, &area);
  const bool down = Pressed();
  const COLORREF background = ColorToRGB(Flat && Transparent && Parent() ? Parent()->Color() : Color());
  HBRUSH brush = CreateSolidBrush(background);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
  if (!Flat) {
    DrawFrameControl(dc, &area, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0));
  } else if (down) {
    DrawEdge(dc, &area, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  } else {
    InflateRect(&area, -1, -1);
  }
  SIZE captionSize{0, 0};
  HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
  if (!Caption().empty())
    GetTextExtentPoint32A(dc, Caption().c_str(), static_cast<int>(Caption().size()), &captionSize);
  TGlyphLayout layout = CalcLayout(area, captionSize);
  const int offset = down ? 1 : 0;
  if (FGlyph)
    ImageList_Draw(FGlyph, 0, dc, layout.glyph.x + offset, layout.glyph.y + offset, ILD_TRANSPARENT);
  if (!Caption().empty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font().Color()));
    TextOutA(dc, layout.caption.x + offset, layout.caption.y + offset, Caption().c_str(),
             static_cast<int>(Caption().size()));
  }
  SelectObject(dc, oldFont);
}

void TSpeedButton::SetPressedState(bool pressed, bool inside) {
  if (pressed == FPressed && inside == FPointerInside) return;
  const bool wasDown = Pressed();
  FPressed = pressed;
  FPointerInside = inside;
  if (FHandle && wasDown != Pressed()) InvalidateRect(FHandle, nullptr, FALSE);
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) SetPressedState(true, true);
  TWinControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  if (FPressed) {
    RECT r;
    GetClientRect(FHandle, &r);
    SetPressedState(true, PtInRect(&r, POINT{x, y}) != 0);
  }
  TWinControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) SetPressedState(false, false);
  TWinControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::Click() {
  if (FAction)
    FAction->Execute();
  else
    TWinControl::Click();
}

void TSpeedButton::ComponentRemoved(TComponent* component) {
  if (component == FAction) FAction = nullptr;
}
