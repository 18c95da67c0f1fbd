// The base form's own code linked into the test: forms derived from it with definitions of their own, the
// close path's guard on the library-wide plug-in state, and the speed button's glyph arrangement.
#include <gtest/gtest.h>

#include "Application.h"
#include "TsxFormBase.h"
#include "tsxPlug.h"

namespace {
class TBareForm : public TTsxFormBase {
 public:
  explicit TBareForm(TComponent* owner) : TTsxFormBase(owner) {
    SetCaption("");
    Strip = new TPanel(this);
    Strip->SetBounds(0, 0, 200, 22);
    Strip->SetAlign(alTop);
    Strip->SetParent(this);
  }
  TPanel* Strip;
};

class DerivedFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = CreateForm<TBareForm>(&Application());
    form->HandleNeeded();
  }
  void TearDown() override { delete form; }
  TBareForm* form = nullptr;
};

TEST_F(DerivedFormTest, EmptyCaptionGivesSixBlanksOnceAndForAll) {
  EXPECT_EQ(form->PanelTitle->Caption(), "      ");
  form->SetCaption("Renamed");
  EXPECT_EQ(form->PanelTitle->Caption(), "      ") << "the title bar takes the caption once, at creation";
}

TEST_F(DerivedFormTest, DerivedTopPanelStacksBelowTheTitleBar) {
  EXPECT_EQ(form->PanelTitle->Top(), 0);
  EXPECT_EQ(form->Strip->Top(), 13);
  EXPECT_EQ(form->Strip->Width(), form->ClientWidth());
}

// The base's definition gives its client area; a derived definition's bounds are the outer rectangle.
TEST_F(DerivedFormTest, BaseGivesTheClientAreaADerivedBoundsTheOuterRectangle) {
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 505);
  EXPECT_EQ(client.bottom, 183);

  struct TSizedForm : TBareForm {
    explicit TSizedForm(TComponent* owner) : TBareForm(owner) { SetBounds(283, 134, 243, 299); }
  };
  TSizedForm* sized = CreateForm<TSizedForm>(&Application());
  RECT window;
  GetWindowRect(sized->Handle(), &window);
  EXPECT_EQ(window.right - window.left, 243);
  EXPECT_EQ(window.bottom - window.top, 299);
  delete sized;
}

// The guard reads library-wide state; each case sets it and puts it back.
int ForcedPlugId = -100;
int ForcedCount = 0;
void __cdecl RecordForcedClick(int plugId) {
  ForcedPlugId = plugId;
  ++ForcedCount;
}

class CloseGuardTest : public DerivedFormTest {
 protected:
  void SetUp() override {
    DerivedFormTest::SetUp();
    saved = {PlugActive, PlugShuttingDown, PlugId, HostForceLeftClick};
    ForcedCount = 0;
    ForcedPlugId = -100;
    HostForceLeftClick = RecordForcedClick;
    PlugId = 31;
    form->Show();
  }
  void TearDown() override {
    PlugActive = saved.active;
    PlugShuttingDown = saved.shuttingDown;
    PlugId = saved.id;
    HostForceLeftClick = saved.force;
    DerivedFormTest::TearDown();
  }
  struct {
    bool active, shuttingDown;
    int id;
    tsxForceLeftClickProc force;
  } saved;
};

TEST_F(CloseGuardTest, ActivePluginTellsTheHostBeforeOnCloseAndStaysActive) {
  PlugActive = true;
  PlugShuttingDown = false;
  int forcedBeforeOnClose = -1;
  form->OnClose = [&](TComponent*, TCloseAction& action) {
    forcedBeforeOnClose = ForcedCount;
    EXPECT_EQ(action, caHide);
  };
  form->Close();
  EXPECT_EQ(ForcedCount, 1);
  EXPECT_EQ(ForcedPlugId, 31);
  EXPECT_EQ(forcedBeforeOnClose, 1);
  EXPECT_TRUE(PlugActive) << "only the host's answer changes the activity";
  EXPECT_FALSE(form->Visible());
}

TEST_F(CloseGuardTest, ShuttingDownOrInactiveMakesNoHostCall) {
  PlugActive = true;
  PlugShuttingDown = true;
  form->Close();
  PlugShuttingDown = false;
  PlugActive = false;
  form->Show();
  form->Close();
  EXPECT_EQ(ForcedCount, 0);
  HostForceLeftClick = nullptr;
  PlugActive = true;
  form->Show();
  form->Close();
  EXPECT_FALSE(form->Visible()) << "a host without the function still gets the window closed";
}

TEST_F(CloseGuardTest, CloseActionFromOnCloseIsObeyed) {
  form->OnClose = [](TComponent*, TCloseAction& action) { action = caNone; };
  form->tfbCloseButtonClick(form);
  EXPECT_TRUE(form->Visible());
}

// Glyph arrangement inside a 10x10 face (the 14x14 button less its frame), 10x9 glyph, no caption.
class ButtonLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HBITMAP glyph = CreateBitmap(10, 9, 1, 32, nullptr);
    button.SetGlyph(glyph);
    ASSERT_TRUE(button.HasGlyph());
  }
  POINT GlyphAt(TButtonLayout layout, int margin, SIZE caption = {0, 0}) {
    button.Layout = layout;
    button.Margin = margin;
    return button.CalcLayout(face, caption).glyph;
  }
  TSpeedButton button{nullptr};
  RECT face{2, 2, 12, 12};
};

TEST_F(ButtonLayoutTest, GlyphKeepsTheMarginAlongTheLayoutAndIsCentredAcross) {
  POINT bottom = GlyphAt(blGlyphBottom, 0);
  EXPECT_EQ(bottom.x, 2);
  EXPECT_EQ(bottom.y, 3) << "flush with the face's bottom edge";
  POINT top = GlyphAt(blGlyphTop, 1);
  EXPECT_EQ(top.y, 3) << "one pixel below the face's top edge";
  POINT left = GlyphAt(blGlyphLeft, 0);
  EXPECT_EQ(left.x, 2);
  EXPECT_EQ(left.y, 3);
  POINT right = GlyphAt(blGlyphRight, 0);
  EXPECT_EQ(right.x, 2);
  face = RECT{0, 0, 30, 20};
  EXPECT_EQ(GlyphAt(blGlyphRight, 3).x, 17);
  EXPECT_EQ(GlyphAt(blGlyphLeft, -1).x, 10) << "no margin: centred";
}

TEST_F(ButtonLayoutTest, CaptionFollowsTheGlyphAfterTheSpacing) {
  face = RECT{0, 0, 60, 20};
  button.Spacing = 4;
  button.Layout = blGlyphLeft;
  button.Margin = -1;
  auto layout = button.CalcLayout(face, SIZE{20, 8});
  EXPECT_EQ(layout.glyph.x, 13) << "glyph, spacing and caption centred together";
  EXPECT_EQ(layout.caption.x, 27);
  EXPECT_EQ(layout.caption.y, 6);
  button.Layout = blGlyphTop;
  button.Margin = 2;
  layout = button.CalcLayout(RECT{0, 0, 40, 40}, SIZE{20, 8});
  EXPECT_EQ(layout.glyph.y, 2);
  EXPECT_EQ(layout.caption.y, 15);
  EXPECT_EQ(layout.caption.x, 10);
}
}  // namespace
