// Where the box and its parts stand, checked on the real window against the text metrics the box itself
// must use: the 8-point sans-serif face and the system's icon size.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BoxDriver.h"
#include "lmdmsg.h"

namespace {

constexpr int kStripWithCheckBox = 60;

struct TBoxShape {
  RECT frame{};                  // screen coordinates
  RECT client{};                 // client coordinates
  RECT yes{}, no{}, checkBox{};  // client coordinates
};

TBoxShape ShowAndMeasure(TLMDMessageBoxDlg& dialog, const std::string& message) {
  TBoxShape shape;
  TBoxDriver driver({[&](HWND box) {
    GetWindowRect(box, &shape.frame);
    GetClientRect(box, &shape.client);
    shape.yes = RectInClient(box, FindButton(box, "&Yes"));
    shape.no = RectInClient(box, FindButton(box, "&No"));
    if (HWND checkBox = FindCheckBox(box)) shape.checkBox = RectInClient(box, checkBox);
    CloseFromTitleBar(box);
  }});
  EXPECT_EQ(dialog.ShowMessageBox("", message, {}, {mbYes, mbNo}, mtConfirmation, 0), mrCancel);
  return shape;
}

// Natural size of the message area: glyph, 2 pixels, the widest line, 2 pixels; the taller of the glyph
// and the text plus 2.
SIZE ExpectedMessageArea(const std::vector<std::string>& lines) {
  TFont font;  // the settings the form gives the box
  HDC screen = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(screen, font.Handle());
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen, &metrics);
  int widest = 0;
  for (const std::string& line : lines) {
    RECT bounds{};
    DrawTextA(screen, line.c_str(), -1, &bounds, DT_CALCRECT | DT_SINGLELINE);
    widest = std::max<int>(widest, bounds.right);
  }
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  const int textHeight = metrics.tmHeight * static_cast<int>(lines.size());
  return {GetSystemMetrics(SM_CXICON) + 2 + widest + 2,
          std::max(GetSystemMetrics(SM_CYICON), textHeight + 2)};
}

int Width(const RECT& r) {
  return r.right - r.left;
}
int Height(const RECT& r) {
  return r.bottom - r.top;
}

class BoxGeometry : public ::testing::Test {
 protected:
  BoxGeometry() : FOwner(nullptr), FDialog(new TLMDMessageBoxDlg(&FOwner)) { FDialog->ShowAgainBox = true; }
  TComponent FOwner;
  TLMDMessageBoxDlg* FDialog;  // owned by FOwner
};

TEST_F(BoxGeometry, OneWordGives170WideBoxWithButtonsCentredAndCheckBoxBelow) {
  const TBoxShape shape = ShowAndMeasure(*FDialog, "Sure?");
  EXPECT_EQ(Width(shape.frame), 170);
  const SIZE area = ExpectedMessageArea({"Sure?"});
  EXPECT_EQ(Height(shape.frame), area.cy + 25 + kStripWithCheckBox);

  const int stripTop = shape.client.bottom - kStripWithCheckBox;
  EXPECT_EQ(shape.yes.left, (170 - 160) / 2);
  EXPECT_EQ(shape.no.left, shape.yes.left + 80);
  EXPECT_EQ(shape.yes.top, stripTop + 5);
  EXPECT_EQ(shape.no.top, shape.yes.top);
  EXPECT_EQ(Width(shape.yes), 75);
  EXPECT_EQ(Height(shape.yes), 25);
  // The pair stands in the middle of the window; the client area is narrower than the frame by the borders.
  const int gapLeft = shape.yes.left, gapRight = shape.client.right - shape.no.right;
  EXPECT_LE(std::abs(gapLeft - gapRight), GetSystemMetrics(SM_CXFIXEDFRAME) * 2 + 1);

  EXPECT_EQ(shape.checkBox.left, 0);
  EXPECT_EQ(shape.checkBox.top, stripTop + 35);
  EXPECT_LE(shape.checkBox.bottom, shape.client.bottom);
}

TEST_F(BoxGeometry, OpensCentredOnTheScreen) {
  const TBoxShape shape = ShowAndMeasure(*FDialog, "Sure?");
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(shape.frame.left, (screenWidth - Width(shape.frame)) / 2);
  EXPECT_EQ(shape.frame.top, (screenHeight - Height(shape.frame)) / 2);
}

TEST_F(BoxGeometry, LongMultiLineMessageSizesTheBox) {
  const std::vector<std::string> lines{
      "", "Are you sure you want to delete all animation tracks from this object?", "A && B", "Short", ""};
  // Carriage return, line feed and the pair of both each end one line.
  const std::string message = "\r" + lines[1] + "\n" + lines[2] + "\r\n" + lines[3] + "\r";
  const TBoxShape shape = ShowAndMeasure(*FDialog, message);
  const SIZE area = ExpectedMessageArea(lines);
  ASSERT_GT(area.cx + 10, 170) << "the message must be wider than the buttons for this case";
  EXPECT_EQ(Width(shape.frame), area.cx + 10);
  EXPECT_EQ(Height(shape.frame), area.cy + 25 + kStripWithCheckBox);
  EXPECT_EQ(shape.yes.left, (area.cx + 10 - 160) / 2);
}

TEST_F(BoxGeometry, WithoutCheckBoxTheStripIs40High) {
  FDialog->ShowAgainBox = false;
  const TBoxShape shape = ShowAndMeasure(*FDialog, "Sure?");
  EXPECT_EQ(Height(shape.frame), ExpectedMessageArea({"Sure?"}).cy + 25 + 40);
  EXPECT_EQ(shape.yes.top, shape.client.bottom - 40 + 5);
  EXPECT_EQ(Width(shape.checkBox), 0) << "no check box";
}

// Wider than the screen, the box keeps its left edge on it. Only one way too large: a window that covers
// the whole screen is a full-screen one to Wine 10, which then clips the cursor to it over and over, and the
// thread's queue, never empty of that input, fires no timer (the layout's own test covers both ways at once).
TEST_F(BoxGeometry, BoxWiderThanTheScreenGoesToItsLeftEdge) {
  const TBoxShape shape = ShowAndMeasure(*FDialog, std::string(600, 'W'));
  ASSERT_GT(Width(shape.frame), GetSystemMetrics(SM_CXSCREEN));
  ASSERT_LT(Height(shape.frame), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(shape.frame.left, 0);
  EXPECT_EQ(shape.frame.top, (GetSystemMetrics(SM_CYSCREEN) - Height(shape.frame)) / 2);
}

}  // namespace
