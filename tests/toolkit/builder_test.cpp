// Layout documents to control trees: structure, attributes, window settings, includes,
// custom controls, lookups, and what happens with documents that are wrong.

#include <gtest/gtest.h>

#include "platform/debug_output.h"
#include "skin_fixture.h"
#include "toolkit/button.h"
#include "toolkit/container.h"
#include "toolkit/control_factory.h"
#include "toolkit/dialog_builder.h"
#include "toolkit/label.h"
#include "toolkit/option.h"
#include "toolkit/paint_manager.h"
#include "toolkit/tab_layout.h"

namespace velmora::toolkit {
namespace {

using testing::SkinFolder;

const char* const kMainLayout = R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="800,572" caption="0,0,0,30" mininfo="400,300" roundcorner="4,4">
  <Font id="0" name="DejaVu Sans" size="15" shared="true"/>
  <Font id="1" name="DejaVu Sans" size="14" underline="true"/>
  <Font name="DejaVu Sans" size="11" default="true"/>
  <Default name="Button" value="textcolor=&quot;#FF123456&quot; height=&quot;30&quot;"/>
  <VerticalLayout name="root" bkcolor="#FF202020" inset="1,2,3,4" childpadding="5">
    <HorizontalLayout name="title" height="30">
      <Label name="caption_text" text="Title" tooltip="tip" font="1" align="center" textcolor="#FFFFFFFF"/>
      <Button name="minbtn" width="20" height="24" normalimage="file='min.png'" userdata="u1" tag="7"/>
    </HorizontalLayout>
    <TabLayout name="pages" selectedid="1">
      <Container name="page0"/>
      <Container name="page1" visible="true"/>
    </TabLayout>
    <Option name="opt_a" group="g" selected="true" enabled="false" padding="1,2,3,4"/>
  </VerticalLayout>
</Window>)";

TEST(DialogBuilder, BuildsTheTreeWithItsAttributes) {
  CPaintManagerUI manager;
  CDialogBuilder builder;
  CControlUI* root = builder.Create(kMainLayout, "", nullptr, &manager);
  ASSERT_NE(root, nullptr);
  manager.AttachDialog(root);

  EXPECT_EQ(root->GetName(), "root");
  EXPECT_EQ(root->GetClass(), "VerticalLayoutUI");
  auto* container = static_cast<CContainerUI*>(root->GetInterface("Container"));
  ASSERT_NE(container, nullptr);
  EXPECT_EQ(container->GetCount(), 3);
  EXPECT_EQ(container->GetInset(), (UiRect{1, 2, 3, 4}));
  EXPECT_EQ(container->GetChildPadding(), 5);
  EXPECT_EQ(root->GetBkColor(), 0xFF202020u);

  auto* label = static_cast<CLabelUI*>(manager.FindControl("CAPTION_TEXT")->GetInterface("Label"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->GetText(), "Title");
  EXPECT_EQ(label->GetToolTip(), "tip");
  EXPECT_EQ(label->GetFont(), 1);
  EXPECT_EQ(label->GetTextColor(), 0xFFFFFFFFu);

  auto* button = static_cast<CButtonUI*>(manager.FindControl("minbtn")->GetInterface("Button"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->GetFixedWidth(), 20);
  EXPECT_EQ(button->GetFixedHeight(), 24);          // the element's own value beats the default
  EXPECT_EQ(button->GetTextColor(), 0xFF123456u);  // from the class default
  EXPECT_EQ(button->GetNormalImage(), "file='min.png'");
  EXPECT_EQ(button->GetUserData(), "u1");
  EXPECT_EQ(button->GetTag(), 7u);
  EXPECT_EQ(button->GetParent(), manager.FindControl("title"));

  auto* tabs = static_cast<CTabLayoutUI*>(manager.FindControl("pages")->GetInterface("TabLayout"));
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->GetCurSel(), 1);
  EXPECT_FALSE(manager.FindControl("page0")->IsVisible());
  EXPECT_TRUE(manager.FindControl("page1")->IsVisible());

  auto* option = static_cast<COptionUI*>(manager.FindControl("opt_a")->GetInterface("Option"));
  ASSERT_NE(option, nullptr);
  EXPECT_TRUE(option->IsSelected());
  EXPECT_FALSE(option->IsEnabled());
  EXPECT_EQ(option->GetGroup(), "g");
  EXPECT_EQ(option->GetPadding(), (UiRect{1, 2, 3, 4}));
  ASSERT_NE(manager.GetOptionGroup("g"), nullptr);
  EXPECT_EQ(manager.GetOptionGroup("g")->size(), 1u);
  FontTable::ResetSharedFonts();
}

TEST(DialogBuilder, AppliesWindowAttributesAndFonts) {
  CPaintManagerUI manager;
  CDialogBuilder builder;
  manager.AttachDialog(builder.Create(kMainLayout, "", nullptr, &manager));
  EXPECT_EQ(manager.GetInitSize(), (UiSize{800, 572}));
  EXPECT_EQ(manager.GetCaptionRect(), (UiRect{0, 0, 0, 30}));
  EXPECT_EQ(manager.GetMinInfo(), (UiSize{400, 300}));
  EXPECT_EQ(manager.GetFontInfo(0).size, 15);
  EXPECT_TRUE(manager.GetFontInfo(0).shared);
  EXPECT_TRUE(manager.GetFontInfo(1).underline);
  EXPECT_EQ(manager.GetDefaultFontInfo().size, 11);
  EXPECT_EQ(manager.GetFontInfo(42).size, 11);  // an unknown id falls back to the default

  // Shared fonts are seen by every window; private ones are not.
  CPaintManagerUI other;
  EXPECT_EQ(other.GetFontInfo(0).size, 15);
  EXPECT_FALSE(other.GetFontInfo(1).underline);
  manager.RemoveAllFonts(true);
  EXPECT_NE(other.GetFontInfo(0).size, 15);
}

TEST(DialogBuilder, LooksUpControlsByNameClassAndScope) {
  CPaintManagerUI manager;
  CDialogBuilder builder;
  manager.AttachDialog(builder.Create(kMainLayout, "", nullptr, &manager));
  CControlUI* title = manager.FindControl("title");
  EXPECT_EQ(manager.FindSubControlByName(title, "minbtn"), manager.FindControl("minbtn"));
  EXPECT_EQ(manager.FindSubControlByName(title, "opt_a"), nullptr);  // outside the scope
  EXPECT_EQ(manager.FindControl("no_such_control"), nullptr);
  EXPECT_EQ(manager.FindSubControlByName(nullptr, "minbtn"), nullptr);
  EXPECT_EQ(manager.FindSubControlByClass(manager.GetRoot(), "Container", 0), manager.GetRoot());
  EXPECT_EQ(manager.FindSubControlByClass(manager.GetRoot(), "ButtonUI", 0), manager.FindControl("minbtn"));
  // The option is a button too; asked by interface it is the second one.
  EXPECT_EQ(manager.FindSubControlByClass(manager.GetRoot(), "Button", 1), manager.FindControl("opt_a"));
  EXPECT_EQ(manager.FindSubControlByClass(manager.GetRoot(), "Button", 2), nullptr);
  FontTable::ResetSharedFonts();
}

TEST(DialogBuilder, NameLookupsFollowRenamesAndRemovals) {
  CPaintManagerUI manager;
  CDialogBuilder builder;
  manager.AttachDialog(builder.Create(R"(<VerticalLayout name="root"><HorizontalLayout name="row">
      <Label name="cell"/></HorizontalLayout><Label name="other"/></VerticalLayout>)", "", nullptr, &manager));
  CControlUI* cell = manager.FindControl("cell");
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(manager.FindControl("CELL"), cell);  // a second lookup is answered from the cache
  cell->SetName("renamed");
  EXPECT_EQ(manager.FindControl("cell"), nullptr);
  EXPECT_EQ(manager.FindControl("renamed"), cell);
  manager.FindControl("other");
  // Removing the row deletes the cell inside it; neither name may still answer.
  auto* root = static_cast<CContainerUI*>(manager.GetRoot()->GetInterface("Container"));
  EXPECT_TRUE(root->Remove(manager.FindControl("row")));
  EXPECT_EQ(manager.FindControl("renamed"), nullptr);
  EXPECT_EQ(manager.FindControl("row"), nullptr);
  EXPECT_NE(manager.FindControl("other"), nullptr);
  // A control taken out but kept by the caller is no longer part of the window.
  CControlUI* other = manager.FindControl("other");
  EXPECT_TRUE(root->Remove(other, true));
  EXPECT_EQ(manager.FindControl("other"), nullptr);
  delete other;
}

TEST(DialogBuilder, IncludesFilesAndChildLayouts) {
  SkinFolder skin;
  skin.Write("parts/row.xml", R"(<HorizontalLayout name="row"><Label name="cell" text="c"/></HorizontalLayout>)");
  skin.Write("parts/page.xml", R"(<VerticalLayout name="page_root"><Button name="page_btn"/></VerticalLayout>)");
  skin.Write("main.xml", R"(<Window><VerticalLayout name="root">
      <Include source="parts/row.xml" count="3"/>
      <ChildLayout name="child" xmlfile="parts\page.xml"/>
    </VerticalLayout></Window>)");
  CPaintManagerUI manager;
  CDialogBuilder builder;
  CControlUI* root = builder.Create("main.xml", "", nullptr, &manager);
  ASSERT_NE(root, nullptr);
  manager.AttachDialog(root);
  auto* container = static_cast<CContainerUI*>(root->GetInterface("Container"));
  EXPECT_EQ(container->GetCount(), 4);
  EXPECT_EQ(container->GetItemAt(2)->GetName(), "row");
  CControlUI* child = manager.FindControl("child");
  EXPECT_NE(manager.FindSubControlByName(child, "page_btn"), nullptr);
}

TEST(DialogBuilder, ResolvesLayoutIdsFromTheResourceTable) {
  SkinFolder skin;
  skin.Write("XML/main_window.xml", R"(<Window><Label name="root" text="from id"/></Window>)");
  skin.Write("res.xml", R"(<Res><Xml id="XML_MAIN" file="XML/main_window.xml"/><Image name="logo" file="a.png"/></Res>)");
  ASSERT_TRUE(CResourceManager::GetInstance().LoadResource("res.xml"));
  EXPECT_EQ(CResourceManager::GetInstance().GetImagePath("LOGO"), "a.png");
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(builder.Create("XML_MAIN"));
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->GetText(), "from id");
}

TEST(DialogBuilder, ReportsAndSkipsUnknownTagsAndAttributes) {
  platform::DebugCapture capture;
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(builder.Create(R"(<VerticalLayout name="root">
      <Gizmo name="g"><Button name="inside_gizmo"/></Gizmo>
      <Button name="b" sparkle="yes"/>
      <Label name="l"><Button name="under_label"/></Label>
    </VerticalLayout>)"));
  ASSERT_NE(root, nullptr);
  auto* container = static_cast<CContainerUI*>(root->GetInterface("Container"));
  ASSERT_EQ(container->GetCount(), 2);
  EXPECT_EQ(container->GetItemAt(0)->GetName(), "b");
  EXPECT_TRUE(capture.Contains("toolkit: unknown control type 'Gizmo'; skipped"));
  EXPECT_TRUE(capture.Contains("toolkit: unknown attribute 'sparkle' on ButtonUI 'b'"));
  EXPECT_TRUE(capture.Contains("toolkit: children of non-container 'Label' skipped"));
}

TEST(DialogBuilder, DocumentsThatAreNotLayoutsYieldNothing) {
  SkinFolder skin;
  skin.Write("text.xml", "this is not xml at all");
  skin.Write("empty.xml", "");
  skin.Write("self.xml", R"(<VerticalLayout><Include source="self.xml"/></VerticalLayout>)");
  std::string deep;
  for (int i = 0; i < 2000; ++i) deep += "<Container>";
  struct Case {
    const char* what;
    std::string xml;
  } cases[] = {
      {"unclosed element", "<Window><Button name=\"x\"></Window>"},
      {"plain text file", "text.xml"},
      {"empty file", "empty.xml"},
      {"missing file", "nowhere/none.xml"},
      {"bad attribute quoting", "<Button name=x/>"},
      {"hostile nesting", deep},
      {"empty window", "<Window></Window>"},
  };
  for (const Case& c : cases) {
    platform::DebugCapture capture;
    CPaintManagerUI manager;
    CDialogBuilder builder;
    CControlUI* root = builder.Create(c.xml, "", nullptr, &manager);
    EXPECT_EQ(root, nullptr) << c.what;
    delete root;
  }
  // A file that includes itself ends at the include depth limit instead of recursing for ever.
  platform::DebugCapture capture;
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(builder.Create("self.xml"));
  ASSERT_NE(root, nullptr);
  EXPECT_TRUE(capture.Contains("toolkit: include of 'self.xml' nests too deep; skipped"));
}

class Gauge : public CControlUI {
 public:
  explicit Gauge(std::string origin) : origin_(std::move(origin)) {}
  std::string GetClass() const override { return "GaugeUI"; }
  void SetAttribute(const std::string& name, const std::string& value) override {
    if (name == "needle") needle = value;
    else CControlUI::SetAttribute(name, value);
  }
  std::string origin_;
  std::string needle;
};

class GaugeCallback : public IDialogBuilderCallback {
 public:
  CControlUI* CreateControl(const std::string& className) override {
    return className == "WindowGauge" ? new Gauge("callback") : nullptr;
  }
};

TEST(DialogBuilder, DetachedSubtreesAnswerLookupsThemselves) {
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> page(builder.Create(R"(<VerticalLayout name="page"><TabLayout name="tabs">
      <Container name="tab0"/><HorizontalLayout name="tab1"><Button name="deep_btn"/></HorizontalLayout>
    </TabLayout></VerticalLayout>)"));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->FindSubControl("page"), page.get());
  EXPECT_EQ(page->FindSubControl("DEEP_BTN")->GetClass(), "ButtonUI");
  EXPECT_EQ(page->FindSubControlByClass("TabLayout")->GetName(), "tabs");
  EXPECT_EQ(page->FindSubControlByClass("HorizontalLayoutUI")->GetName(), "tab1");
  EXPECT_EQ(page->FindSubControl(""), nullptr);
  EXPECT_EQ(page->FindSubControl("missing"), nullptr);
}

TEST(DialogBuilder, CreatesCustomControlsThroughCallbackAndFactory) {
  CControlFactory::GetInstance().RegistControl("CFactoryGaugeUI", [] { return new Gauge("factory"); });
  GaugeCallback callback;
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(builder.Create(R"(<HorizontalLayout>
      <WindowGauge name="w" needle="red"/><FactoryGauge name="f" width="12"/></HorizontalLayout>)",
                                                  "", &callback));
  ASSERT_NE(root, nullptr);
  auto* container = static_cast<CContainerUI*>(root->GetInterface("Container"));
  ASSERT_EQ(container->GetCount(), 2);
  auto* fromCallback = dynamic_cast<Gauge*>(container->GetItemAt(0));
  auto* fromFactory = dynamic_cast<Gauge*>(container->GetItemAt(1));
  ASSERT_TRUE(fromCallback && fromFactory);
  EXPECT_EQ(fromCallback->origin_, "callback");
  EXPECT_EQ(fromCallback->needle, "red");
  EXPECT_EQ(fromFactory->origin_, "factory");
  EXPECT_EQ(fromFactory->GetFixedWidth(), 12);
  CControlFactory::GetInstance().UnregistControl("CFactoryGaugeUI");
  EXPECT_FALSE(CControlFactory::GetInstance().IsRegistered("FactoryGauge"));
}

TEST(Container, KeepsChildOrderAndOwnership) {
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(builder.Create(R"(<VerticalLayout><Label name="a"/><Label name="b"/></VerticalLayout>)"));
  auto* container = static_cast<CContainerUI*>(root->GetInterface("Container"));
  auto* c = new CLabelUI();
  c->SetName("c");
  EXPECT_TRUE(container->AddAt(c, 1));
  EXPECT_FALSE(container->AddAt(c, 0));  // already a child
  auto stray = std::make_unique<CControlUI>();
  EXPECT_FALSE(container->AddAt(stray.get(), 9));  // past the end
  EXPECT_EQ(container->GetItemIndex(c), 1);
  EXPECT_EQ(container->GetItemAt(2)->GetName(), "b");
  EXPECT_TRUE(container->SetItemIndex(c, 2));
  EXPECT_EQ(container->GetItemAt(1)->GetName(), "b");
  EXPECT_TRUE(container->Remove(c, true));  // the caller owns it again
  EXPECT_EQ(c->GetParent(), nullptr);
  delete c;
  EXPECT_EQ(container->GetItemAt(5), nullptr);
  EXPECT_EQ(container->GetItemAt(-1), nullptr);
  container->RemoveAll();
  EXPECT_EQ(container->GetCount(), 0);
}

}  // namespace
}  // namespace velmora::toolkit
