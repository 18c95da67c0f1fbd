#include "QxCustomDraw.h"

TQxCustomDraw::TQxCustomDraw(NMCUSTOMDRAW* record, LRESULT& result, const TFont* defaultFont) {
  Init(record, result);
  FDefaultFont = defaultFont;
  FBrush = MakeBrush();
  FFont = MakeFont();
}

void TQxCustomDraw::Init(NMCUSTOMDRAW* record, LRESULT& result) {
  FNMCustomDraw = record;
  FResultPtr = &result;
  Handled = false;
  FFont.reset();
  FBrush.reset();
}

// The change notification is connected last, so that only a handler's changes count.
std::unique_ptr<TFont> TQxCustomDraw::MakeFont() {
  auto font = FDefaultFont ? std::make_unique<TFont>(*FDefaultFont) : std::make_unique<TFont>();
  COLORREF text = GetTextColor(FNMCustomDraw->hdc);
  if (text != CLR_INVALID) font->SetColor(static_cast<TColor>(text));
  font->OnChange = [this] { FFontChanged = true; };
  return font;
}

std::unique_ptr<TBrush> TQxCustomDraw::MakeBrush() {
  auto brush = std::make_unique<TBrush>();
  COLORREF background = GetBkColor(FNMCustomDraw->hdc);
  if (background != CLR_INVALID) brush->SetColor(static_cast<TColor>(background));
  brush->OnChange = [this] { FBrushChanged = true; };
  return brush;
}

TQxCustomDraw::TStage TQxCustomDraw::Stage() const {
  switch (FNMCustomDraw->dwDrawStage) {
    case CDDS_PREPAINT:
      return stControlPrePaint;
    case CDDS_POSTPAINT:
      return stControlPostPaint;
    case CDDS_ITEMPREPAINT:
      return stItemPrePaint;
    case CDDS_ITEMPOSTPAINT:
      return stItemPostPaint;
    default:
      return stOther;
  }
}

void TQxTvCustomDraw::Apply() {
  LRESULT& result = *FResultPtr;
  if (!Handled) result = CDRF_DODEFAULT;
  switch (Stage()) {
    case stControlPrePaint:
      if (!Handled && NotifyItems) result |= CDRF_NOTIFYITEMDRAW;
      break;
    case stItemPrePaint:
      if (SkipDefault) {
        if (!Handled) result |= CDRF_SKIPDEFAULT;
      } else {
        ApplyItemAttributes();
      }
      break;
    default:
      break;
  }
}

// The font stays selected while the control draws the item: it lives until the next notification.
void TQxTvCustomDraw::ApplyItemAttributes() {
  NMTVCUSTOMDRAW* record = TvNMCustomDraw();
  if (FFontChanged && FFont) {
    HFONT font = FFont->Handle();
    if (font != GetCurrentObject(record->nmcd.hdc, OBJ_FONT)) {
      SelectObject(record->nmcd.hdc, font);
      *FResultPtr |= CDRF_NEWFONT;
    }
    record->clrText = ColorToRGB(FFont->Color());
  }
  if (FBrushChanged && FBrush) record->clrTextBk = ColorToRGB(FBrush->Color());
}
