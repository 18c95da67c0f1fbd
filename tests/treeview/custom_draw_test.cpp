// The control's own custom-draw path, answered for real NMTVCUSTOMDRAW records sent to the parent (which
// reflects them) and during real paints of the control.
#include <map>

#include "TreeHost.h"

namespace {
constexpr COLORREF kDcText = RGB(1, 2, 3);
constexpr COLORREF kDcBackground = RGB(250, 250, 240);
constexpr DWORD kStages[] = {CDDS_PREPAINT, CDDS_ITEMPREPAINT, CDDS_ITEMPOSTPAINT, CDDS_POSTPAINT};

class CustomDrawTest : public TreeViewTest {
 protected:
  void SetUp() override {
    TreeViewTest::SetUp();
    FillTree();
    Dc = CreateCompatibleDC(nullptr);
    DcFont = reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SelectObject(Dc, DcFont);
    SetTextColor(Dc, kDcText);
    SetBkColor(Dc, kDcBackground);
  }
  void TearDown() override {
    SelectObject(Dc, DcFont);
    DeleteDC(Dc);
    TreeViewTest::TearDown();
  }

  // The answer to one notification; Record holds what the control wrote into it.
  LRESULT Send(DWORD stage, TTreeNode* node = nullptr) {
    Record = NMTVCUSTOMDRAW{};
    Record.nmcd.hdr.hwndFrom = TreeWindow();
    Record.nmcd.hdr.idFrom = GetDlgCtrlID(TreeWindow());
    Record.nmcd.hdr.code = NM_CUSTOMDRAW;
    Record.nmcd.dwDrawStage = stage;
    Record.nmcd.hdc = Dc;
    Record.nmcd.dwItemSpec = node ? reinterpret_cast<DWORD_PTR>(node->ItemId()) : 0;
    Record.nmcd.lItemlParam = reinterpret_cast<LPARAM>(node);
    Record.clrText = RGB(9, 9, 9);
    Record.clrTextBk = RGB(8, 8, 8);
    return SendMessageA(Form->Handle(), WM_NOTIFY, Record.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&Record));
  }
  HFONT CurrentFont() const { return reinterpret_cast<HFONT>(GetCurrentObject(Dc, OBJ_FONT)); }
  void Repaint() {
    RedrawWindow(TreeWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump();
  }

  HDC Dc = nullptr;
  HFONT DcFont = nullptr;
  NMTVCUSTOMDRAW Record{};
};

TEST_F(CustomDrawTest, WithoutAHandlerEveryStageIsAnsweredWithZero) {
  for (DWORD stage : kStages) EXPECT_EQ(Send(stage, stage & CDDS_ITEM ? Node("Beta") : nullptr), 0) << stage;
  EXPECT_EQ(CurrentFont(), DcFont);
}

TEST_F(CustomDrawTest, OnQxCustomDrawAsksForItemsAndIsRaisedOncePerItemPrePaint) {
  std::vector<std::pair<TTreeNode*, int>> calls;
  Tree->OnQxCustomDraw = [&](TComponent* sender, TQxCustomDraw* cd, TTreeNode* node) {
    EXPECT_EQ(sender, Tree);
    calls.push_back({node, cd->Stage()});
  };
  EXPECT_EQ(Send(CDDS_PREPAINT), CDRF_NOTIFYITEMDRAW);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(Send(CDDS_ITEMPREPAINT, Node("Beta")), CDRF_NOTIFYITEMDRAW);
  EXPECT_EQ(Send(CDDS_ITEMPOSTPAINT, Node("Beta")), 0);
  EXPECT_EQ(Send(CDDS_POSTPAINT), 0);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].first, Node("Beta"));
  EXPECT_EQ(calls[0].second, 4);
}

TEST_F(CustomDrawTest, ARealPaintRaisesOnQxCustomDrawOnceForEveryItemInView) {
  std::map<std::string, int> drawn;
  Tree->OnQxCustomDraw = [&](TComponent*, TQxCustomDraw*, TTreeNode* node) {
    ++drawn[node ? node->Text() : ""];
  };
  Repaint();
  // Alpha is collapsed: its children are not drawn.
  const std::map<std::string, int> expected{{"Root", 1}, {"Alpha", 1}, {"Beta", 1}, {"Gamma", 1}};
  EXPECT_EQ(drawn, expected);
}

TEST_F(CustomDrawTest, OnQxCustomDrawExSeesEveryStageAndSharesItsObjectWithOnQxCustomDraw) {
  std::vector<std::pair<int, TTreeNode*>> extended;
  std::vector<TQxCustomDraw*> objects;
  Tree->OnQxCustomDrawEx = [&](TComponent*, TQxCustomDraw* cd, TTreeNode* node) {
    extended.push_back({cd->Stage(), node});
    objects.push_back(cd);
  };
  Tree->OnQxCustomDraw = [&](TComponent*, TQxCustomDraw* cd, TTreeNode*) {
    EXPECT_EQ(objects.back(), cd) << "one object per notification";
  };
  EXPECT_EQ(Send(CDDS_PREPAINT), CDRF_NOTIFYITEMDRAW);
  EXPECT_EQ(Send(CDDS_ITEMPREPAINT, Node("Alpha")), CDRF_NOTIFYITEMDRAW);
  EXPECT_EQ(Send(CDDS_ITEMPOSTPAINT, Node("Alpha")), 0);
  EXPECT_EQ(Send(CDDS_POSTPAINT), 0);
  const std::vector<std::pair<int, TTreeNode*>> expected{
      {1, nullptr}, {4, Node("Alpha")}, {5, Node("Alpha")}, {2, nullptr}};
  EXPECT_EQ(extended, expected);
}

TEST_F(CustomDrawTest, TheObjectStartsFromTheDeviceContextAndTheRecord) {
  bool seen = false;
  Tree->OnQxCustomDraw = [&](TComponent*, TQxCustomDraw* cd, TTreeNode*) {
    seen = true;
    auto* tv = dynamic_cast<TQxTvCustomDraw*>(cd);
    ASSERT_NE(tv, nullptr);
    EXPECT_EQ(tv->TvNMCustomDraw(), &Record);
    EXPECT_EQ(cd->NMCustomDraw(), &Record.nmcd);
    EXPECT_EQ(cd->DefaultFont(), &Tree->Font());
    EXPECT_EQ(ColorToRGB(cd->Font()->Color()), kDcText);
    EXPECT_EQ(cd->Font()->Name(), Tree->Font().Name());
    EXPECT_EQ(ColorToRGB(cd->Brush()->Color()), kDcBackground);
    EXPECT_FALSE(cd->FontChanged());
    EXPECT_FALSE(cd->BrushChanged());
    EXPECT_TRUE(cd->NotifyItems);
    EXPECT_FALSE(cd->SkipDefault);
    EXPECT_FALSE(cd->Handled);
    EXPECT_EQ(*cd->ResultPtr(), 0);
  };
  Send(CDDS_ITEMPREPAINT, Node("Beta"));
  EXPECT_TRUE(seen);
}

TEST_F(CustomDrawTest, StageFollowsTheDrawStage) {
  std::vector<int> stages;
  Tree->OnQxCustomDrawEx = [&](TComponent*, TQxCustomDraw* cd, TTreeNode*) { stages.push_back(cd->Stage()); };
  for (DWORD stage : {CDDS_PREPAINT, CDDS_POSTPAINT, CDDS_PREERASE, CDDS_POSTERASE, CDDS_ITEMPREPAINT,
                      CDDS_ITEMPOSTPAINT, CDDS_ITEMPREERASE, CDDS_ITEMPOSTERASE})
    Send(stage, stage & CDDS_ITEM ? Node("Beta") : nullptr);
  EXPECT_EQ(stages, (std::vector<int>{1, 2, 0, 0, 4, 5, 0, 0}));
}

TEST_F(CustomDrawTest, SkipDefaultLeavesTheItemUndrawnAndSelectsNoFont) {
  Tree->OnQxCustomDraw = [](TComponent*, TQxCustomDraw* cd, TTreeNode*) {
    cd->SkipDefault = true;
    cd->Font()->SetStyle(fsBold);
    cd->Brush()->SetColor(RGB(10, 20, 30));
  };
  LRESULT answer = Send(CDDS_ITEMPREPAINT, Node("Beta"));
  EXPECT_EQ(answer & CDRF_SKIPDEFAULT, CDRF_SKIPDEFAULT);
  EXPECT_EQ(answer & CDRF_NEWFONT, 0);
  EXPECT_EQ(CurrentFont(), DcFont);
  EXPECT_EQ(Record.clrTextBk, RGB(8, 8, 8));
  EXPECT_EQ(Record.clrText, RGB(9, 9, 9));
}

TEST_F(CustomDrawTest, ABrushChangeSetsTheTextBackgroundOnly) {
  Tree->OnQxCustomDraw = [](TComponent*, TQxCustomDraw* cd, TTreeNode*) {
    cd->Brush()->SetColor(RGB(10, 20, 30));
  };
  EXPECT_EQ(Send(CDDS_ITEMPREPAINT, Node("Beta")), CDRF_NOTIFYITEMDRAW);
  EXPECT_EQ(Record.clrTextBk, RGB(10, 20, 30));
  EXPECT_EQ(Record.clrText, RGB(9, 9, 9));
  EXPECT_EQ(CurrentFont(), DcFont);
}

TEST_F(CustomDrawTest, AFontChangeSelectsTheFontAndSetsTheTextColour) {
  HFONT made = nullptr;
  Tree->OnQxCustomDraw = [&](TComponent*, TQxCustomDraw* cd, TTreeNode*) {
    cd->Font()->SetStyle(fsBold);
    made = cd->Font()->Handle();
  };
  LRESULT answer = Send(CDDS_ITEMPREPAINT, Node("Beta"));
  EXPECT_EQ(answer, CDRF_NOTIFYITEMDRAW | CDRF_NEWFONT);
  EXPECT_EQ(CurrentFont(), made);
  EXPECT_EQ(Record.clrText, kDcText) << "the font kept the device context's text colour";
  EXPECT_EQ(Record.clrTextBk, RGB(8, 8, 8));

  // A system colour reaches the record resolved.
  Tree->OnQxCustomDraw = [](TComponent*, TQxCustomDraw* cd, TTreeNode*) {
    cd->Font()->SetColor(clHighlight);
  };
  SelectObject(Dc, DcFont);
  Send(CDDS_ITEMPREPAINT, Node("Gamma"));
  EXPECT_EQ(Record.clrText, GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(CustomDrawTest, AHandlerThatAnswersItselfKeepsItsResult) {
  Tree->OnQxCustomDrawEx = [](TComponent*, TQxCustomDraw* cd, TTreeNode*) {
    *cd->ResultPtr() = CDRF_NOTIFYPOSTPAINT;
    cd->Handled = true;
    cd->SkipDefault = true;
  };
  EXPECT_EQ(Send(CDDS_PREPAINT), CDRF_NOTIFYPOSTPAINT | CDRF_NOTIFYITEMDRAW);
  EXPECT_EQ(Send(CDDS_ITEMPREPAINT, Node("Beta")), CDRF_NOTIFYPOSTPAINT | CDRF_NOTIFYITEMDRAW)
      << "a handled answer gets no skip bit";
  EXPECT_EQ(Send(CDDS_ITEMPOSTPAINT, Node("Beta")), CDRF_NOTIFYPOSTPAINT);
}

TEST_F(CustomDrawTest, TheStandardCustomDrawEventsTakePrecedence) {
  int ours = 0;
  Tree->OnQxCustomDraw = [&](TComponent*, TQxCustomDraw*, TTreeNode*) { ++ours; };
  Tree->OnQxCustomDrawEx = Tree->OnQxCustomDraw;
  Tree->OnCustomDrawItem = [](TComponent*, TTreeNode*, UINT, bool& defaultDraw) { defaultDraw = false; };
  EXPECT_EQ(Send(CDDS_PREPAINT), CDRF_NOTIFYITEMDRAW);
  EXPECT_EQ(Send(CDDS_ITEMPREPAINT, Node("Beta")), CDRF_SKIPDEFAULT);
  EXPECT_EQ(ours, 0);
}

// What the handler asks for is what the control paints: a font colour for one item's label and a
// background colour behind another's.
TEST_F(CustomDrawTest, ARealPaintUsesTheHandlersColours) {
  constexpr COLORREF kRed = RGB(255, 0, 0);
  constexpr COLORREF kTeal = RGB(0, 128, 128);
  Tree->Font().SetStyle(fsBold);
  Tree->OnQxCustomDraw = [&](TComponent*, TQxCustomDraw* cd, TTreeNode* node) {
    if (node->Text() == "Beta") cd->Font()->SetColor(kRed);
    if (node->Text() == "Gamma") cd->Brush()->SetColor(kTeal);
  };
  Repaint();
  auto count = [this](TTreeNode* node, COLORREF colour) {
    RECT r = LabelRect(node);
    HDC dc = GetDC(TreeWindow());
    int found = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) found += GetPixel(dc, x, y) == colour;
    ReleaseDC(TreeWindow(), dc);
    return found;
  };
  EXPECT_GT(count(Node("Beta"), kRed), 5);
  EXPECT_EQ(count(Node("Alpha"), kRed), 0);
  EXPECT_GT(count(Node("Gamma"), kTeal), 20);
  EXPECT_EQ(count(Node("Beta"), kTeal), 0);
}
}  // namespace
