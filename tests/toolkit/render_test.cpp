// Rendering through the headless host: pixel probes on snapshots for colours, borders,
// images and image-string attributes, text in several scripts, DPI, and language switching.

#include <gtest/gtest.h>

#include "skin_fixture.h"
#include "test_window.h"
#include "toolkit/label.h"
#include "toolkit/list.h"
#include "toolkit/option.h"
#include "toolkit/progress.h"

namespace velmora::toolkit {
namespace {

using testing::SkinFolder;
using testing::TestWindow;

constexpr UiColor kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;

// A snapshot that frees itself.
class Snapshot {
 public:
  explicit Snapshot(HeadlessWindow* window) : surface_(window->Snapshot()) {}
  ~Snapshot() { cairo_surface_destroy(surface_); }
  Snapshot(const Snapshot&) = delete;
  Snapshot& operator=(const Snapshot&) = delete;
  UiColor At(int x, int y) const { return ReadPixel(surface_, x, y); }
  // Pixels in rc that differ from the background colour.
  int CountNot(const UiRect& rc, UiColor background) const {
    int count = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
      for (int x = rc.left; x < rc.right; ++x) count += At(x, y) != background ? 1 : 0;
    }
    return count;
  }
  int Width() const { return cairo_image_surface_get_width(surface_); }

 private:
  cairo_surface_t* surface_;
};

class Render : public ::testing::Test {
 protected:
  TestWindow& Open(const std::string& body, int width = 300, int height = 200, int dpi = 96) {
    window_ = std::make_unique<TestWindow>("<Window>" + body + "</Window>");
    EXPECT_TRUE(window_->Open(host_, width, height));
    window_->GetPaintManager().SetDPI(dpi);
    return *window_;
  }
  HeadlessWindow* Screen() { return window_->Screen(); }

  SkinFolder skin_;
  HeadlessHost host_;
  std::unique_ptr<TestWindow> window_;
};

TEST_F(Render, BackgroundColoursAndBorders) {
  Open(R"(<VerticalLayout bkcolor="#FF102030">
      <Control name="box" float="true" pos="10,10,60,60" bkcolor="#FFFF0000" bordersize="2" bordercolor="#FF0000FF"/>
      <Control name="round" float="true" pos="100,10,160,70" bkcolor="#FF00FF00" borderround="30,30"/>
    </VerticalLayout>)");
  Snapshot shot(Screen());
  EXPECT_EQ(shot.At(5, 5), 0xFF102030u);
  EXPECT_EQ(shot.At(30, 30), kRed);
  EXPECT_EQ(shot.At(10, 30), kBlue);    // border, inside the control's edge
  EXPECT_EQ(shot.At(11, 30), kBlue);
  EXPECT_EQ(shot.At(12, 30), kRed);
  EXPECT_EQ(shot.At(130, 40), kGreen);
  EXPECT_EQ(shot.At(101, 11), 0xFF102030u);  // the rounded corner is cut away
}

TEST_F(Render, StateImagesFollowTheOptionsSelection) {
  skin_.WriteSolidPng("normal.png", 8, 8, kRed);
  skin_.WriteSolidPng("selected.png", 8, 8, kGreen);
  TestWindow& w = Open(R"(<VerticalLayout><Option name="opt" height="40" width="40"
      normalimage="normal.png" selectedimage="file='selected.png'"/><Control/></VerticalLayout>)");
  {
    Snapshot shot(Screen());
    EXPECT_EQ(shot.At(20, 20), kRed);
  }
  w.Click("opt");
  Snapshot shot(Screen());
  EXPECT_EQ(shot.At(20, 20), kGreen);
  EXPECT_EQ(shot.At(39, 39), kGreen);  // stretched over the whole control
}

TEST_F(Render, ImageStringAttributesChooseWhatIsDrawnWhere) {
  skin_.WriteSplitPng("split.png", 20, 10, kRed, kBlue);
  skin_.Write("res.xml", R"(<Res><Image name="split_res" file="split.png"/></Res>)");
  ASSERT_TRUE(CResourceManager::GetInstance().LoadResource("res.xml"));
  Open(R"(<VerticalLayout bkcolor="#FFFFFFFF">
      <Control float="true" pos="0,0,40,40" bkimage="file='split.png' source='10,0,20,10'"/>
      <Control float="true" pos="50,0,90,40" bkimage="file='split.png' fade='0'"/>
      <Control float="true" pos="100,0,140,40" bkimage="file='split.png' dest='0,0,20,20'"/>
      <Control float="true" pos="150,0,190,40" bkimage="res='split_res'"/>
      <Control float="true" pos="200,0,240,40" bkimage="file='missing.png'"/>
    </VerticalLayout>)");
  Snapshot shot(Screen());
  EXPECT_EQ(shot.At(5, 5), kBlue);      // only the right half of the image, stretched
  EXPECT_EQ(shot.At(35, 35), kBlue);
  EXPECT_EQ(shot.At(70, 20), kWhite);   // fully faded
  EXPECT_EQ(shot.At(105, 5), kRed);     // drawn into the top-left 20x20 only
  EXPECT_EQ(shot.At(130, 30), kWhite);
  EXPECT_EQ(shot.At(155, 20), kRed);    // resolved through res.xml
  EXPECT_EQ(shot.At(185, 20), kBlue);
  EXPECT_EQ(shot.At(220, 20), kWhite);  // a missing image draws nothing
}

TEST_F(Render, CornersStayUnscaledAndTilesRepeat) {
  skin_.WriteFramedPng("frame.png", 30, 5, kRed, kBlue);
  skin_.WriteSplitPng("stripe.png", 10, 10, kRed, kBlue);
  Open(R"(<VerticalLayout bkcolor="#FFFFFFFF">
      <Control float="true" pos="0,0,100,100" bkimage="file='frame.png' corner='5,5,5,5'"/>
      <Control float="true" pos="110,0,210,100" bkimage="file='frame.png'"/>
      <Control float="true" pos="0,110,100,150" bkimage="file='frame.png' corner='5,5,5,5' hole='true'"/>
      <Control float="true" pos="110,110,150,120" bkimage="file='stripe.png' xtiled='true'"/>
    </VerticalLayout>)", 300, 200);
  Snapshot shot(Screen());
  EXPECT_EQ(shot.At(2, 50), kRed);     // edge kept 5 pixels wide
  EXPECT_EQ(shot.At(8, 50), kBlue);
  EXPECT_EQ(shot.At(97, 97), kRed);
  EXPECT_EQ(shot.At(50, 50), kBlue);
  EXPECT_EQ(shot.At(118, 50), kRed);   // plainly stretched, the edge grows to 16 pixels
  EXPECT_EQ(shot.At(50, 130), kWhite); // the hole leaves the middle out
  EXPECT_EQ(shot.At(2, 130), kRed);
  for (int x : {112, 122, 132, 142}) EXPECT_EQ(shot.At(x, 115), kRed) << x;   // ten-pixel stripes
  for (int x : {117, 127, 137, 147}) EXPECT_EQ(shot.At(x, 115), kBlue) << x;
}

TEST_F(Render, TextIsDrawnInsideItsLabelInEveryScript) {
  Open(R"(<VerticalLayout bkcolor="#FFFFFFFF">
      <Label name="latin" height="30" text="Lighting" textcolor="#FF000000"/>
      <Label name="chinese" height="30" text="灯光效果" textcolor="#FF000000"/>
      <Label name="thai" height="30" text="แสงไฟ" textcolor="#FF000000"/>
      <Label name="empty" height="30" textcolor="#FF000000"/>
      <HorizontalLayout height="30"><Label name="clipped" width="60" endellipsis="true" textcolor="#FF000000"
        text="A very long text that cannot fit"/><Control name="beside"/></HorizontalLayout>
    </VerticalLayout>)");
  Snapshot shot(Screen());
  for (const char* name : {"latin", "chinese", "thai"}) {
    EXPECT_GT(shot.CountNot(window_->Find(name)->GetPos(), kWhite), 20) << name;
  }
  EXPECT_EQ(shot.CountNot(window_->Find("empty")->GetPos(), kWhite), 0);
  EXPECT_GT(shot.CountNot(window_->Find("clipped")->GetPos(), kWhite), 20);
  EXPECT_EQ(shot.CountNot(window_->Find("beside")->GetPos(), kWhite), 0);  // ellipsised, not spilled
}

TEST_F(Render, ProgressFillsUpToItsValue) {
  TestWindow& w = Open(R"(<VerticalLayout bkcolor="#FFFFFFFF"><Progress name="p" height="20" width="200"
      min="0" max="100" value="50" forecolor="#FF00FF00"/><Control/></VerticalLayout>)");
  {
    Snapshot shot(Screen());
    EXPECT_EQ(shot.At(50, 10), kGreen);
    EXPECT_EQ(shot.At(150, 10), kWhite);
  }
  w.FindAs<CProgressUI>("p", "Progress")->SetValue(100);
  Snapshot shot(Screen());
  EXPECT_EQ(shot.At(199, 10), kGreen);
}

TEST_F(Render, HigherDpiDrawsLarger) {
  const char* body = R"(<VerticalLayout bkcolor="#FFFFFFFF">
      <Control float="true" pos="10,10,110,40" bkcolor="#FFFF0000"/></VerticalLayout>)";
  Open(body, 300, 200, 96);
  {
    Snapshot shot(Screen());
    EXPECT_EQ(shot.At(100, 20), kRed);
    EXPECT_EQ(shot.At(140, 20), kWhite);
  }
  Open(body, 300, 200, 144);
  Snapshot shot(Screen());
  EXPECT_EQ(shot.At(15, 15), kRed);
  EXPECT_EQ(shot.At(14, 20), kWhite);  // the left edge moved from 10 to 15
  EXPECT_EQ(shot.At(160, 50), kRed);   // 15 + 150 wide, 15 + 45 high
  EXPECT_EQ(shot.At(166, 20), kWhite);
}

TEST_F(Render, ScrolledListDrawsThePartlyVisibleFirstRow) {
  std::string body = R"(<VerticalLayout><List name="list" height="100" bkcolor="#FFFFFFFF">)";
  for (int i = 0; i < 8; ++i) {
    body += "<ListLabelElement name=\"row" + std::to_string(i) + "\" height=\"25\" bkcolor=\"" +
            (i % 2 == 0 ? "#FFFF0000" : "#FF0000FF") + "\"/>";
  }
  body += "</List><Control/></VerticalLayout>";
  TestWindow& w = Open(body);
  auto* list = w.FindAs<CListUI>("list", "List");
  Screen()->Wheel(20, 50, -120);
  ASSERT_GT(list->GetScrollPos().cy, 0);
  ASSERT_NE(list->GetScrollPos().cy % 25, 0);  // the first visible row is cut by the top edge
  const UiRect inner = list->GetPos();
  const int firstRow = list->GetScrollPos().cy / 25;
  Snapshot shot(Screen());
  EXPECT_EQ(shot.At(inner.left + 10, inner.top + 1), firstRow % 2 == 0 ? kRed : kBlue);
  EXPECT_EQ(shot.At(inner.left + 10, inner.bottom - 2), ((list->GetScrollPos().cy + 98) / 25) % 2 == 0 ? kRed : kBlue);
}

TEST_F(Render, SaveSnapshotWritesAPng) {
  Open(R"(<VerticalLayout bkcolor="#FF00FF00"/>)", 64, 48);
  const std::string path = skin_.File("shot.png");
  ASSERT_TRUE(Screen()->SaveSnapshot(path));
  cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(png), 64);
  EXPECT_EQ(cairo_image_surface_get_height(png), 48);
  EXPECT_EQ(ReadPixel(png, 32, 24), kGreen);
  cairo_surface_destroy(png);
  EXPECT_FALSE(Screen()->SaveSnapshot(skin_.File("no/such/folder/shot.png")));
}

class QueryHook : public IQueryControlText {
 public:
  std::string QueryControlText(const std::string& key, const std::string&) override {
    return key == "hooked" ? "from the window" : std::string();
  }
};

TEST_F(Render, LanguageReloadChangesTheShownTexts) {
  skin_.Write("lang/en.xml", R"(<Language name="English"><Text id="title" value="Hi"/>
      <Text id="tip">Hint</Text></Language>)");
  skin_.Write("lang/de.xml", R"(<Language name="Deutsch"><Text id="title" value="Guten Tag, willkommen"/></Language>)");
  CResourceManager& resources = CResourceManager::GetInstance();
  ASSERT_TRUE(resources.LoadLanguage("lang/en.xml"));
  resources.SetLanguage("English");
  TestWindow& w = Open(R"(<VerticalLayout bkcolor="#FFFFFFFF"><Label name="title" height="30" text="%[title]"
      tooltip="%[tip]" textcolor="#FF000000" autocalcwidth="true"/><Label name="keyed" height="30" text="hooked"
      resourcetext="true"/><Label name="unknown" height="30" text="%[nothing]"/><Control/></VerticalLayout>)");
  QueryHook hook;
  resources.SetTextQueryInterface(&hook);
  EXPECT_EQ(w.Find("title")->GetText(), "Hi");
  EXPECT_EQ(w.Find("title")->GetToolTip(), "Hint");
  EXPECT_EQ(w.Find("keyed")->GetText(), "from the window");
  EXPECT_EQ(w.Find("unknown")->GetText(), "nothing");  // an unknown key shows itself
  int before = 0;
  {
    Snapshot shot(Screen());
    before = shot.CountNot({0, 0, 300, 30}, kWhite);
  }
  ASSERT_TRUE(resources.LoadLanguage("lang/de.xml"));
  resources.SetLanguage("Deutsch");
  resources.ReloadText();
  EXPECT_EQ(w.Find("title")->GetText(), "Guten Tag, willkommen");
  Snapshot shot(Screen());
  EXPECT_GT(shot.CountNot({0, 0, 300, 30}, kWhite), before * 2);
  EXPECT_EQ(resources.GetLanguage(), "Deutsch");
  // A file that is not a language file leaves the texts as they were.
  skin_.Write("lang/broken.xml", "<Language><Text id=");
  EXPECT_FALSE(resources.LoadLanguage("lang/broken.xml"));
  EXPECT_EQ(w.Find("title")->GetText(), "Guten Tag, willkommen");
  resources.SetTextQueryInterface(nullptr);
}

}  // namespace
}  // namespace velmora::toolkit
