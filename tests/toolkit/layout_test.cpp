// Layout arithmetic: fixed and stretched sizes, padding, inset, limits, float positions,
// alignment, tab pages, scrolling and DPI scaling.

#include <gtest/gtest.h>

#include <memory>

#include "toolkit/container.h"
#include "toolkit/dialog_builder.h"
#include "toolkit/label.h"
#include "toolkit/paint_manager.h"
#include "toolkit/render_engine.h"
#include "toolkit/tab_layout.h"

namespace velmora::toolkit {
namespace {

// A window-less manager laid out at a given client size.
class LayoutFixture : public ::testing::Test {
 protected:
  void Build(const std::string& xml, int width = 400, int height = 300, int dpi = 96) {
    CDialogBuilder builder;
    CControlUI* root = builder.Create(xml, "", nullptr, &manager_);
    ASSERT_NE(root, nullptr);
    manager_.SetDPI(dpi);
    manager_.AttachDialog(root);
    manager_.SetClientSize(width, height);
    manager_.UpdateLayout();
  }
  UiRect Pos(const std::string& name) {
    CControlUI* control = manager_.FindControl(name);
    EXPECT_NE(control, nullptr) << name;
    return control != nullptr ? control->GetPos() : UiRect{};
  }

  CPaintManagerUI manager_;
};

TEST_F(LayoutFixture, VerticalSplitsTheRestAmongStretchedChildren) {
  Build(R"(<VerticalLayout name="root" inset="10,10,10,10" childpadding="5">
      <Control name="a" height="50"/><Control name="b"/><Control name="c" height="30"/><Control name="d"/>
    </VerticalLayout>)");
  // 280 inner height - 3 gaps of 5 - 80 fixed = 185 shared by two: 92 and the last takes 93.
  EXPECT_EQ(Pos("a"), (UiRect{10, 10, 390, 60}));
  EXPECT_EQ(Pos("b"), (UiRect{10, 65, 390, 157}));
  EXPECT_EQ(Pos("c"), (UiRect{10, 162, 390, 192}));
  EXPECT_EQ(Pos("d"), (UiRect{10, 197, 390, 290}));
}

TEST_F(LayoutFixture, HorizontalHonoursLimitsAndReshares) {
  Build(R"(<HorizontalLayout name="root">
      <Control name="fixed" width="100"/><Control name="capped" maxwidth="50"/><Control name="free"/>
      <Control name="floor" minwidth="140"/>
    </HorizontalLayout>)");
  // 300 left: an equal share would be 100, but "capped" stops at 50; of the 250 left a share
  // of 125 is below the 140 "floor" needs, so "free" gets what remains: 250 - 140 = 110.
  EXPECT_EQ(Pos("fixed"), (UiRect{0, 0, 100, 300}));
  EXPECT_EQ(Pos("capped"), (UiRect{100, 0, 150, 300}));
  EXPECT_EQ(Pos("free"), (UiRect{150, 0, 260, 300}));
  EXPECT_EQ(Pos("floor"), (UiRect{260, 0, 400, 300}));
}

TEST_F(LayoutFixture, PaddingAlignmentAndFloatPositions) {
  Build(R"(<VerticalLayout name="root" childalign="center">
      <Control name="padded" height="40" padding="5,6,7,8"/>
      <Control name="narrow" width="100" height="20"/>
      <Control name="floating" float="true" pos="20,30,120,80"/>
      <HorizontalLayout name="row" height="50" childvalign="vcenter">
        <Control name="short" width="10" height="10"/>
        <Control name="nested_float" float="true" pos="5,5,15,15"/>
      </HorizontalLayout>
    </VerticalLayout>)");
  EXPECT_EQ(Pos("padded"), (UiRect{5, 6, 393, 46}));
  EXPECT_EQ(Pos("narrow"), (UiRect{150, 54, 250, 74}));      // centred across
  EXPECT_EQ(Pos("floating"), (UiRect{20, 30, 120, 80}));     // takes no room in the flow
  EXPECT_EQ(Pos("row"), (UiRect{0, 74, 400, 124}));
  EXPECT_EQ(Pos("short"), (UiRect{0, 94, 10, 104}));         // centred vertically in the row
  EXPECT_EQ(Pos("nested_float"), (UiRect{5, 79, 15, 89}));   // relative to its parent
}

TEST_F(LayoutFixture, TabLayoutShowsOnlyTheSelectedPage) {
  Build(R"(<TabLayout name="root" inset="2,2,2,2">
      <Control name="p0"/><Control name="p1" padding="1,1,1,1"/><Control name="p2"/>
    </TabLayout>)");
  auto* tabs = static_cast<CTabLayoutUI*>(manager_.GetRoot()->GetInterface("TabLayout"));
  EXPECT_EQ(tabs->GetCurSel(), 0);
  EXPECT_EQ(Pos("p0"), (UiRect{2, 2, 398, 298}));
  EXPECT_TRUE(tabs->SelectItem(1));
  manager_.UpdateLayout();
  EXPECT_FALSE(manager_.FindControl("p0")->IsVisible());
  EXPECT_TRUE(manager_.FindControl("p1")->IsVisible());
  EXPECT_EQ(Pos("p1"), (UiRect{3, 3, 397, 297}));
  EXPECT_FALSE(tabs->SelectItem(3));
  EXPECT_EQ(tabs->GetCurSel(), 1);
  // Removing the shown page shows the first one.
  tabs->Remove(manager_.FindControl("p1"));
  EXPECT_EQ(tabs->GetCurSel(), 0);
  EXPECT_TRUE(manager_.FindControl("p0")->IsVisible());
}

TEST_F(LayoutFixture, HiddenChildrenTakeNoRoom) {
  Build(R"(<VerticalLayout name="root"><Control name="a" height="100" visible="false"/><Control name="b"/></VerticalLayout>)");
  EXPECT_EQ(Pos("b"), (UiRect{0, 0, 400, 300}));
  manager_.FindControl("a")->SetVisible(true);
  manager_.UpdateLayout();
  EXPECT_EQ(Pos("b"), (UiRect{0, 100, 400, 300}));
}

TEST_F(LayoutFixture, ScrollingMovesTheContentWithinItsRange) {
  std::string xml = R"(<VerticalLayout name="root" vscrollbar="true">)";
  for (int i = 0; i < 10; ++i) xml += "<Control name=\"row" + std::to_string(i) + "\" height=\"50\"/>";
  xml += "</VerticalLayout>";
  Build(xml, 200, 200);
  auto* list = static_cast<CContainerUI*>(manager_.GetRoot()->GetInterface("Container"));
  EXPECT_EQ(list->GetScrollRange(), (UiSize{0, 300}));
  list->SetScrollPos({0, 120});
  EXPECT_EQ(Pos("row0"), (UiRect{0, -120, 200, -70}));
  EXPECT_EQ(Pos("row3"), (UiRect{0, 30, 200, 80}));
  list->SetScrollPos({0, 1000});
  EXPECT_EQ(list->GetScrollPos(), (UiSize{0, 300}));
  list->EnsureVisible(manager_.FindControl("row1"));
  EXPECT_EQ(list->GetScrollPos(), (UiSize{0, 50}));
  // A point over the scrolled-away part hits nothing outside the container.
  EXPECT_EQ(manager_.FindControl(UiPoint{10, 10}), manager_.FindControl("row1"));
}

TEST(LayoutDpi, PositionsSizesAndFontsScaleWithTheWindow) {
  const char* xml = R"(<HorizontalLayout name="root" inset="4,4,4,4" childpadding="8">
      <Control name="box" width="100" height="40" padding="2,2,2,2"/>
      <Label name="text" text="Scaled text" autocalcwidth="true" height="20"/>
    </HorizontalLayout>)";
  struct Measured {
    UiRect box;
    int textWidth;
  };
  auto layoutAt = [xml](int dpi) {
    CPaintManagerUI manager;
    CDialogBuilder builder;
    manager.AttachDialog(builder.Create(xml, "", nullptr, &manager));
    manager.SetDPI(dpi);
    manager.SetClientSize(1000, 600);
    manager.UpdateLayout();
    CControlUI* text = manager.FindControl("text");
    return Measured{manager.FindControl("box")->GetPos(), text->GetPos().Width()};
  };
  const Measured normal = layoutAt(96);
  const Measured large = layoutAt(144);
  EXPECT_EQ(normal.box, (UiRect{6, 6, 106, 46}));
  EXPECT_EQ(large.box, (UiRect{9, 9, 159, 69}));
  ASSERT_GT(normal.textWidth, 0);
  EXPECT_NEAR(static_cast<double>(large.textWidth) / normal.textWidth, 1.5, 0.15);
}

TEST(LayoutDpi, SetAllDpiReachesEveryWindow) {
  CPaintManagerUI first, second;
  CPaintManagerUI::SetAllDPI(120);
  EXPECT_EQ(first.GetDPI(), 120);
  EXPECT_EQ(second.GetDPI(), 120);
  EXPECT_EQ(first.ScaleValue(100), 125);
  CPaintManagerUI::SetAllDPI(96);
  EXPECT_EQ(second.ScaleValue(100), 100);
}

TEST(TextMeasure, WrapsAtTheWidthAndGrowsWithLines) {
  CPaintManagerUI manager;
  const std::string text = "one two three four five six seven eight nine ten";
  const UiSize single = CRenderEngine::MeasureText(&manager, text, -1, DT_SINGLELINE, 0);
  const UiSize wrapped = CRenderEngine::MeasureText(&manager, text, -1, DT_WORDBREAK, single.cx / 3);
  EXPECT_LE(wrapped.cx, single.cx / 3);
  EXPECT_GE(wrapped.cy, single.cy * 3);
  UiRect calc{10, 10, 10 + single.cx / 3, 10};
  CRenderEngine::DrawText(nullptr, &manager, calc, text, 0, -1, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(calc.Height(), wrapped.cy);
}

}  // namespace
}  // namespace velmora::toolkit
