#include "MsgBoxLayout.h"

#include <algorithm>

namespace msgbox_layout {

namespace {

void ArrangeLabel(const TMetrics& m, TLayout& out) {
  const int spacing = m.glyph.cx > 0 ? kGlyphTextSpacing : 0;
  const int textBlockHeight = m.textHeight + kTextMargin;
  out.label.cx = m.glyph.cx + spacing + m.textWidth + kTextMargin;
  out.label.cy = std::max<int>(m.glyph.cy, textBlockHeight);
  // The shorter of glyph and text is centred on the taller one.
  out.glyphAt = {0, (out.label.cy - m.glyph.cy) / 2};
  out.textAt = {m.glyph.cx + spacing, (out.label.cy - m.textHeight) / 2};
}

// Keeps the box on the screen; when it cannot fit, its top-left corner stays visible.
int Place(int screen, int size) {
  int start = (screen - size) / 2;
  if (start + size > screen) start = screen - size;
  return std::max(start, 0);
}

}  // namespace

TLayout Compute(const TMetrics& m) {
  TLayout out;
  ArrangeLabel(m, out);
  const bool buttons = m.buttonCount > 0;
  out.checkBoxWidth = m.checkBox ? kCheckMarkSize + kCheckMarkGap + m.checkBoxCaptionWidth : 0;
  // A check box below an empty button row still sits at the height it has under buttons.
  out.stripHeight = (buttons || m.checkBox ? kButtonStripHeight : 0) + (m.checkBox ? kCheckBoxStripExtra : 0);

  // The button row is centred on the width that message and buttons need, even where a wider check box
  // widens the box.
  int rowWidth = out.label.cx + kBoxExtraWidth;
  if (buttons) rowWidth = std::max(rowWidth, kButtonPitch * m.buttonCount + kBoxExtraWidth);
  const int width = m.checkBox ? std::max(rowWidth, out.checkBoxWidth + kCheckBoxExtraWidth) : rowWidth;
  const int height = out.label.cy + kBoxExtraHeight + out.stripHeight;

  const int left = Place(m.screen.cx, width);
  const int top = Place(m.screen.cy, height);
  out.box = {left, top, left + width, top + height};
  out.firstButtonLeft = (rowWidth - kButtonPitch * m.buttonCount) / 2;
  return out;
}

}  // namespace msgbox_layout
