// Headless UI tests: synthetic input on real layouts must produce the right notifications
// and control state.

#include <gtest/gtest.h>

#include "test_window.h"
#include "toolkit/color_palette.h"
#include "toolkit/combo.h"
#include "toolkit/combo_wnd.h"
#include "toolkit/edit.h"
#include "toolkit/key_codes.h"
#include "toolkit/list.h"
#include "toolkit/list_element.h"
#include "toolkit/menu_window.h"
#include "toolkit/option.h"
#include "toolkit/rich_edit.h"
#include "toolkit/slider.h"
#include "toolkit/tray_icon.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {
namespace {

using testing::TestWindow;

class Interaction : public ::testing::Test {
 protected:
  // Opens a window on the layout and runs what the opening queued.
  TestWindow& Open(const std::string& body, int width = 400, int height = 300) {
    window_ = std::make_unique<TestWindow>("<Window>" + body + "</Window>");
    EXPECT_TRUE(window_->Open(host_, width, height));
    host_.Loop().RunPending();
    return *window_;
  }
  HeadlessWindow& Screen() { return *window_->Screen(); }

  HeadlessHost host_;
  std::unique_ptr<TestWindow> window_;
};

TEST_F(Interaction, ButtonClicksOnlyWhenReleasedInside) {
  TestWindow& w = Open(R"(<VerticalLayout name="root"><Button name="ok" height="40"/>
      <Button name="off" height="40" enabled="false"/><Control name="space"/></VerticalLayout>)");
  EXPECT_EQ(w.Count(kNotifyWindowInit, "root"), 1u);
  w.Click("ok");
  EXPECT_EQ(w.Count(kNotifyClick, "ok"), 1u);

  Screen().ButtonDown(10, 10);
  Screen().MouseMove(10, 200);  // dragged off the button
  Screen().ButtonUp(10, 200);
  EXPECT_EQ(w.Count(kNotifyClick, "ok"), 1u);

  w.Click("off");
  EXPECT_EQ(w.Count(kNotifyClick, "off"), 0u);

  // Focused by the first click, the button also answers Return.
  w.Click("ok");
  Screen().KeyPress(keys::kReturn);
  EXPECT_EQ(w.Count(kNotifyClick, "ok"), 3u);
  EXPECT_EQ(w.Count(kNotifySetFocus, "ok"), 1u);
}

TEST_F(Interaction, OptionGroupsKeepOneSelected) {
  TestWindow& w = Open(R"(<VerticalLayout>
      <Option name="a" group="g" height="30" selected="true"/><Option name="b" group="g" height="30"/>
      <Option name="c" group="g" height="30"/><CheckBox name="check" height="30"/><Control/></VerticalLayout>)");
  auto* a = w.FindAs<COptionUI>("a", "Option");
  auto* b = w.FindAs<COptionUI>("b", "Option");
  w.Click("b");
  EXPECT_TRUE(b->IsSelected());
  EXPECT_FALSE(a->IsSelected());
  EXPECT_EQ(w.Count(kNotifySelectChanged, "b"), 1u);
  EXPECT_EQ(w.Count(kNotifySelectChanged, "a"), 1u);  // the cleared one reports too
  EXPECT_EQ(w.Count(kNotifyClick, "b"), 1u);

  w.Click("b");  // a selected radio option stays selected
  EXPECT_TRUE(b->IsSelected());
  EXPECT_EQ(w.Count(kNotifySelectChanged, "b"), 1u);

  auto* check = w.FindAs<CCheckBoxUI>("check", "CheckBox");
  w.Click("check");
  EXPECT_TRUE(check->GetCheck());
  w.Click("check");
  EXPECT_FALSE(check->GetCheck());
  EXPECT_EQ(w.Count(kNotifySelectChanged, "check"), 2u);
  EXPECT_TRUE(b->IsSelected());  // not in the group

  w.FindAs<COptionUI>("c", "Option")->Selected(true, false);  // quietly
  EXPECT_FALSE(b->IsSelected());
  EXPECT_EQ(w.Count(kNotifySelectChanged, "c"), 0u);
}

TEST_F(Interaction, SliderReportsMovesWhileDraggingAndTheValueOnRelease) {
  TestWindow& w = Open(R"(<VerticalLayout><Slider name="s" height="20" width="210" min="0" max="100"
      thumbsize="10,10"/><Control/></VerticalLayout>)");
  auto* slider = w.FindAs<CSliderUI>("s", "Slider");
  const UiRect thumb = slider->GetThumbRect();
  EXPECT_EQ(thumb.left, 0);
  Screen().Drag(thumb.left + 5, 10, 205, 10, 4);
  EXPECT_EQ(slider->GetValue(), 100);
  EXPECT_EQ(w.Count(kNotifyMoveValueChanged, "s"), 4u);
  EXPECT_EQ(w.Count(kNotifyValueChanged, "s"), 1u);
  EXPECT_FALSE(slider->IsDragging());

  Screen().Click(105, 10);  // a click on the track jumps to the middle
  EXPECT_EQ(slider->GetValue(), 50);
  EXPECT_EQ(w.Count(kNotifyValueChanged, "s"), 2u);

  Screen().Wheel(105, 10, 120);
  EXPECT_EQ(slider->GetValue(), 51);
  slider->SetValue(500);
  EXPECT_EQ(slider->GetValue(), 100);
}

const char* const kComboLayout = R"(<VerticalLayout><Combo name="combo" height="24" width="200">
      <ListLabelElement name="i0" text="Zero" userdata="z" height="20"/>
      <ListLabelElement name="i1" text="One" userdata="o" height="20"/>
      <ListLabelElement name="i2" text="Two" userdata="t" height="20"/>
    </Combo><Control/></VerticalLayout>)";

TEST_F(Interaction, ComboOpensAListAndPicksAnItem) {
  TestWindow& w = Open(kComboLayout);
  auto* combo = w.FindAs<CComboUI>("combo", "Combo");
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->GetCount(), 3);
  EXPECT_TRUE(combo->SelectItem(0, false, false));
  w.Click("combo");
  ASSERT_TRUE(combo->IsDropped());
  EXPECT_EQ(host_.Windows().size(), 2u);
  HeadlessWindow* popup = host_.TopWindow();
  ASSERT_NE(popup, &Screen());
  EXPECT_TRUE(popup->Options().toolWindow);
  EXPECT_EQ(popup->Bounds().top, 24);  // right under the combo

  const UiRect item = combo->GetItemAt(2)->GetPos();  // in the pop-up's coordinates now
  popup->Click((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  host_.Loop().RunPending();
  EXPECT_FALSE(combo->IsDropped());
  EXPECT_EQ(host_.Windows().size(), 1u);
  ASSERT_EQ(w.Count(kNotifyItemSelect, "combo"), 1u);
  EXPECT_EQ(w.Last(kNotifyItemSelect)->wParam, 2u);
  EXPECT_EQ(w.Last(kNotifyItemSelect)->lParam, 0);
  EXPECT_EQ(combo->GetCurSel(), 2);
  EXPECT_EQ(combo->GetText(), "Two");
  EXPECT_EQ(combo->GetItemAt(combo->GetCurSel())->GetUserData(), "t");
  EXPECT_EQ(combo->GetItemAt(2)->GetManager(), &w.GetPaintManager());  // the items came back
}

TEST_F(Interaction, ComboEscapeClosesWithoutChoosingAndKeysStep) {
  TestWindow& w = Open(kComboLayout);
  auto* combo = w.FindAs<CComboUI>("combo", "Combo");
  w.Click("combo");
  ASSERT_TRUE(combo->IsDropped());
  host_.TopWindow()->KeyPress(keys::kEscape);
  host_.Loop().RunPending();
  EXPECT_FALSE(combo->IsDropped());
  EXPECT_EQ(w.Count(kNotifyItemSelect), 0u);

  Screen().KeyPress(keys::kDown);  // focused combo steps through its items
  Screen().KeyPress(keys::kDown);
  EXPECT_EQ(combo->GetCurSel(), 1);
  EXPECT_EQ(w.Count(kNotifyItemSelect), 2u);
  EXPECT_FALSE(combo->SelectItem(7));
  EXPECT_EQ(combo->GetCurSel(), 1);
}

TEST_F(Interaction, ComboDestroyedWhileOpenTakesItsPopupAlong) {
  TestWindow& w = Open(kComboLayout);
  w.Click("combo");
  ASSERT_EQ(host_.Windows().size(), 2u);
  window_.reset();
  host_.Loop().RunPending();
  EXPECT_TRUE(host_.Windows().empty());
}

TEST_F(Interaction, EditTypesFiltersLimitsAndReportsFocus) {
  TestWindow& w = Open(R"(<VerticalLayout>
      <Edit name="num" height="24" numberonly="true" maxchar="4" minvalue="0" maxvalue="500"/>
      <Edit name="text" height="24"/><Button name="other" height="24"/><Control/></VerticalLayout>)");
  auto* edit = w.FindAs<CEditUI>("num", "Edit");
  w.Click("num");
  EXPECT_EQ(w.Count(kNotifySetFocus, "num"), 1u);
  Screen().TypeText("12a3");
  EXPECT_EQ(edit->GetText(), "123");
  Screen().TypeText("456");
  EXPECT_EQ(edit->GetText(), "1234");  // at most four characters
  EXPECT_EQ(w.Count(kNotifyTextChanged, "num"), 2u);
  Screen().KeyPress(keys::kBackSpace);
  EXPECT_EQ(edit->GetText(), "123");
  // Letters pasted over a selection are refused without deleting what was selected.
  host_.SetClipboardText("abc");
  Screen().KeyPress('a', kModControl);
  Screen().KeyPress('v', kModControl);
  EXPECT_EQ(edit->GetText(), "123");
  EXPECT_EQ(w.Count(kNotifyTextChanged, "num"), 3u);
  Screen().KeyPress(keys::kEnd);
  Screen().TypeText("9");
  Screen().KeyPress(keys::kReturn);
  EXPECT_EQ(w.Count(kNotifyReturn, "num"), 1u);

  w.Click("other");  // focus leaves: the value is brought into range before "killfocus"
  EXPECT_EQ(w.Count(kNotifyKillFocus, "num"), 1u);
  EXPECT_EQ(edit->GetText(), "500");
}

TEST_F(Interaction, EditSelectionClipboardAndWideCharacters) {
  TestWindow& w = Open(R"(<VerticalLayout><Edit name="e" height="24"/><Control/></VerticalLayout>)");
  auto* edit = w.FindAs<CEditUI>("e", "Edit");
  w.Click("e");
  Screen().TypeText("ab\xE4\xB8\xAD");  // "ab中"
  Screen().KeyPress(keys::kBackSpace);
  EXPECT_EQ(edit->GetText(), "ab");  // the whole character went
  Screen().KeyPress(keys::kLeft, kModShift);
  int start = 0, end = 0;
  edit->GetSel(start, end);
  EXPECT_EQ(start, 1);
  EXPECT_EQ(end, 2);
  Screen().KeyPress('c', kModControl);
  EXPECT_EQ(host_.ClipboardText(), "b");
  Screen().KeyPress(keys::kHome);
  Screen().KeyPress('v', kModControl);
  EXPECT_EQ(edit->GetText(), "bab");
  Screen().KeyPress('a', kModControl);
  Screen().KeyPress('x', kModControl);
  EXPECT_EQ(edit->GetText(), "");
  EXPECT_EQ(host_.ClipboardText(), "bab");
  Screen().TypeText("\xE0\xB8\xAA\xE0\xB8\xA7\xE0\xB8\xB1\xE0\xB8\xAA\xE0\xB8\x94\xE0\xB8\xB5");  // Thai
  EXPECT_EQ(Utf8Length(edit->GetText()), 6u);
  const HostRect caret = Screen().Client().HostCaretRect();
  EXPECT_GT(caret.Height(), 0);
  EXPECT_GT(caret.left, edit->GetPos().left);
}

TEST_F(Interaction, EditPlacesTheCaretWhereClicked) {
  TestWindow& w = Open(R"(<VerticalLayout><Edit name="e" height="24" text="abcdefgh"/><Control/></VerticalLayout>)");
  auto* edit = w.FindAs<CEditUI>("e", "Edit");
  Screen().Click(edit->GetPos().left + 1, 12);
  Screen().TypeText("X");
  EXPECT_EQ(edit->GetText(), "Xabcdefgh");
  edit->SetSel(2, 4);
  edit->ReplaceSel("--");
  EXPECT_EQ(edit->GetText(), "Xa--defgh");
}

TEST_F(Interaction, TabMovesTheFocusThroughVisibleEnabledStops) {
  TestWindow& w = Open(R"(<VerticalLayout><Edit name="r" height="24"/><Label name="passive" height="24"/>
      <Edit name="off" height="24" enabled="false"/><Container height="24" visible="false"><Edit name="hidden"/></Container>
      <Button name="g" height="24"/><Edit name="b" height="24"/><Control/></VerticalLayout>)");
  auto focusName = [&w] {
    CControlUI* focus = w.GetPaintManager().GetFocus();
    return focus != nullptr ? focus->GetName() : std::string("(none)");
  };
  Screen().KeyPress(keys::kTab);
  EXPECT_EQ(focusName(), "r");
  Screen().KeyPress(keys::kTab);
  EXPECT_EQ(focusName(), "g");
  Screen().KeyPress(keys::kTab);
  EXPECT_EQ(focusName(), "b");
  Screen().KeyPress(keys::kTab);
  EXPECT_EQ(focusName(), "r");  // wraps round
  Screen().KeyPress(keys::kLeftTab, kModShift);
  EXPECT_EQ(focusName(), "b");
  EXPECT_EQ(w.Count(kNotifyKillFocus, "r"), 2u);
}

TEST_F(Interaction, RichEditWrapsAndTakesLineBreaks) {
  TestWindow& w = Open(R"(<VerticalLayout><RichEdit name="r" height="80" wantreturn="true" tipvalue="Type here"/>
      <RichEdit name="plain" height="40"/><Control/></VerticalLayout>)");
  auto* rich = w.FindAs<CRichEditUI>("r", "RichEdit");
  EXPECT_EQ(rich->GetTipValue(), "Type here");
  w.Click("r");
  Screen().TypeText("line one");
  Screen().KeyPress(keys::kReturn);
  Screen().TypeText("line two");
  EXPECT_EQ(rich->GetText(), "line one\nline two");
  EXPECT_EQ(w.Count(kNotifyReturn, "r"), 0u);
  w.Click("plain");
  Screen().KeyPress(keys::kReturn);
  EXPECT_EQ(w.Count(kNotifyReturn, "plain"), 1u);
}

TEST_F(Interaction, ListSelectsByClickKeysAndActivates) {
  std::string body = R"(<List name="list" height="100" itemselectedbkcolor="#FF00FF00">)";
  for (int i = 0; i < 8; ++i) body += "<ListLabelElement name=\"row" + std::to_string(i) + "\" text=\"Row\" height=\"25\"/>";
  body += R"(<ListContainerElement name="rich_row" height="25"><Label name="rich_label" text="x"/></ListContainerElement>)";
  body += "</List>";
  TestWindow& w = Open("<VerticalLayout>" + body + "<Control/></VerticalLayout>");
  auto* list = w.FindAs<CListUI>("list", "List");
  ASSERT_EQ(list->GetCount(), 9);
  w.Click("row2");
  EXPECT_EQ(list->GetCurSel(), 2);
  EXPECT_EQ(w.Count(kNotifyItemClick, "row2"), 1u);
  ASSERT_EQ(w.Count(kNotifyItemSelect, "list"), 1u);
  EXPECT_EQ(w.Last(kNotifyItemSelect)->wParam, 2u);
  EXPECT_EQ(w.Last(kNotifyItemSelect)->lParam, -1);

  Screen().KeyPress(keys::kDown);
  EXPECT_EQ(list->GetCurSel(), 3);
  Screen().KeyPress(keys::kEnd);
  EXPECT_EQ(list->GetCurSel(), 8);
  EXPECT_GT(list->GetScrollPos().cy, 0);  // scrolled to show the last row
  // A press on a passive child of a container element selects the element.
  const UiPoint inner = w.Centre("rich_label");
  Screen().DoubleClick(inner.x, inner.y);
  EXPECT_EQ(w.Count(kNotifyItemActivate, "rich_row"), 1u);

  Screen().Wheel(20, 50, 120);
  EXPECT_EQ(list->GetScrollPos().cy, list->GetScrollRange().cy - 30);
}

TEST_F(Interaction, MenuSendsItsCommandToTheOwner) {
  TestWindow& w = Open(R"(<VerticalLayout name="root"/>)");
  const char* menuXml = R"(<Window><Menu name="m" width="150">
      <MenuElement name="about_menu" text="About" height="24" userdata="a"/>
      <MenuElement name="light" text="Light" height="24" checkable="true"/>
      <MenuElement name="exit" text="Exit" height="24"/></Menu></Window>)";
  MenuCmd received;
  w.onMessage = [&](uint32_t msg, UiWParam wParam, UiLParam) {
    if (msg != WM_MENUCLICK) return;
    auto* cmd = reinterpret_cast<MenuCmd*>(wParam);
    received = *cmd;
    w.GetPaintManager().DeletePtr(cmd);
  };
  MenuCheckMap checks;
  CMenuWnd* menu = CMenuWnd::CreateMenu(menuXml, {300, 300}, &w.GetPaintManager(), &checks,
                                        eMenuAlignment_Right | eMenuAlignment_Bottom);
  ASSERT_NE(menu, nullptr);
  HeadlessWindow* popup = host_.TopWindow();
  EXPECT_EQ(popup->Bounds().right, 300);
  EXPECT_EQ(popup->Bounds().bottom, 300);
  popup->ClickCentre(menu->GetMenuRoot()->GetItemAt(1)->GetPos());
  host_.Loop().RunPending();
  EXPECT_EQ(received.szName, "light");
  EXPECT_TRUE(received.bChecked);
  EXPECT_TRUE(checks["light"]);
  EXPECT_EQ(host_.Windows().size(), 1u);  // the menu closed

  menu = CMenuWnd::CreateMenu(menuXml, {10, 10}, &w.GetPaintManager(), &checks);
  ASSERT_NE(menu, nullptr);
  auto* light = static_cast<CMenuElementUI*>(menu->GetMenuRoot()->GetItemAt(1)->GetInterface("MenuElement"));
  EXPECT_TRUE(light->IsChecked());  // the check map carried the state over
  host_.TopWindow()->ClickCentre(menu->GetMenuRoot()->GetItemAt(0)->GetPos());
  host_.Loop().RunPending();
  EXPECT_EQ(received.szName, "about_menu");
  EXPECT_EQ(received.szUserData, "a");
  EXPECT_EQ(received.szText, "About");

  CMenuWnd::CreateMenu(menuXml, {10, 10}, &w.GetPaintManager(), &checks);
  host_.TopWindow()->KeyPress(keys::kEscape);  // closes with no command
  host_.Loop().RunPending();
  EXPECT_EQ(host_.Windows().size(), 1u);
  EXPECT_EQ(w.messages.size(), 2u);
}

TEST_F(Interaction, MenuCommandsNotCollectedByTheOwnerAreReleasedWithIt) {
  TestWindow& w = Open(R"(<VerticalLayout/>)");
  CMenuWnd* menu = CMenuWnd::CreateMenu("<Menu><MenuElement name=\"x\" height=\"20\"/></Menu>", {5, 5},
                                        &w.GetPaintManager());
  ASSERT_NE(menu, nullptr);
  host_.TopWindow()->ClickCentre(menu->GetMenuRoot()->GetItemAt(0)->GetPos());
  host_.Loop().RunPending();
  ASSERT_EQ(w.messages.size(), 1u);
  window_.reset();  // LeakSanitizer fails the test if the record was not released
}

TEST_F(Interaction, ControlTimersArriveAsTimerNotifications) {
  TestWindow& w = Open(R"(<VerticalLayout><Label name="ticker"/></VerticalLayout>)");
  CControlUI* ticker = w.Find("ticker");
  ASSERT_TRUE(w.GetPaintManager().SetTimer(ticker, 7, 100));
  host_.Loop().AdvanceBy(350);
  EXPECT_EQ(w.Count(kNotifyTimer, "ticker"), 3u);
  EXPECT_EQ(w.Last(kNotifyTimer)->wParam, 7u);
  EXPECT_TRUE(w.GetPaintManager().KillTimer(ticker, 7));
  host_.Loop().AdvanceBy(500);
  EXPECT_EQ(w.Count(kNotifyTimer, "ticker"), 3u);
  EXPECT_FALSE(w.GetPaintManager().KillTimer(ticker, 7));

  // A control that goes away takes its timers with it.
  w.GetPaintManager().SetTimer(ticker, 1, 10);
  static_cast<CContainerUI*>(w.GetPaintManager().GetRoot())->Remove(ticker);
  host_.Loop().AdvanceBy(100);
  EXPECT_EQ(host_.Loop().TimerCount(), 0u);
}

TEST_F(Interaction, QueuedNotificationsOfADeletedControlAreDropped) {
  TestWindow& w = Open(R"(<VerticalLayout name="root"><Label name="gone"/></VerticalLayout>)");
  CControlUI* gone = w.Find("gone");
  w.GetPaintManager().SendNotify(gone, "custom", 1, 2, true);
  w.GetPaintManager().SendNotify(w.Find("root"), "custom", 3, 4, true);
  static_cast<CContainerUI*>(w.Find("root"))->Remove(gone);
  host_.Loop().RunPending();
  ASSERT_EQ(w.Count("custom"), 1u);
  EXPECT_EQ(w.Last("custom")->sender, "root");
}

TEST_F(Interaction, AControlRemovedByItsOwnClickHandlerSurvivesTheEvent) {
  TestWindow& w = Open(R"(<VerticalLayout name="root"><Button name="self_removing" height="30"/></VerticalLayout>)");
  w.BindNotify(kNotifyClick, "self_removing", [&](TNotifyUI& msg) {
    static_cast<CContainerUI*>(w.Find("root"))->Remove(msg.pSender);
  });
  w.Click("self_removing");
  host_.Loop().RunPending();
  EXPECT_EQ(w.Find("self_removing"), nullptr);
}

class MainPagePump : public CNotifyPump {
 public:
  MainPagePump() {
    BindNotify(kNotifyClick, &MainPagePump::OnClick);
  }
  void OnClick(TNotifyUI& msg) { clicked.push_back(msg.pSender->GetName()); }
  std::vector<std::string> clicked;
};

TEST_F(Interaction, NotifyPumpRoutesByVirtualWindowAndControlName) {
  TestWindow& w = Open(R"(<VerticalLayout><HorizontalLayout virtualwnd="mainpage" height="30">
      <Button name="page_btn"/></HorizontalLayout><Button name="plain" height="30"/>
      <Button name="special" height="30"/><Control/></VerticalLayout>)");
  MainPagePump page;
  ASSERT_TRUE(w.AddVirtualWnd("mainpage", &page));
  EXPECT_FALSE(w.AddVirtualWnd("MAINPAGE", &page));
  std::vector<std::string> general, special;
  w.BindNotify(kNotifyClick, [&](TNotifyUI& msg) { general.push_back(msg.pSender->GetName()); });
  w.BindNotify(kNotifyClick, "special", [&](TNotifyUI& msg) { special.push_back(msg.pSender->GetName()); });
  w.Click("page_btn");
  w.Click("plain");
  w.Click("special");
  EXPECT_EQ(page.clicked, std::vector<std::string>{"page_btn"});
  EXPECT_EQ(general, std::vector<std::string>{"plain"});
  EXPECT_EQ(special, std::vector<std::string>{"special"});
  EXPECT_TRUE(w.RemoveVirtualWnd("mainpage"));
}

TEST_F(Interaction, CaptionDragMovesTheWindowButNotFromButtons) {
  TestWindow& w = Open(R"(<VerticalLayout><HorizontalLayout height="30"><Label name="title"/>
      <Button name="closebtn" width="30"/></HorizontalLayout><Control/></VerticalLayout>)");
  w.GetPaintManager().SetCaptionRect({0, 0, 0, 30});
  const UiPoint title = w.Centre("title");
  Screen().ButtonDown(title.x, title.y);
  Screen().ButtonUp(title.x, title.y);
  EXPECT_EQ(Screen().MoveRequests(), 1);
  w.Click("closebtn");
  EXPECT_EQ(Screen().MoveRequests(), 1);
  EXPECT_EQ(w.Count(kNotifyClick, "closebtn"), 1u);
  const UiPoint below{10, 100};
  Screen().ButtonDown(below.x, below.y);
  EXPECT_EQ(Screen().MoveRequests(), 1);
}

TEST_F(Interaction, HoverShowsTheToolTipAfterADelay) {
  TestWindow& w = Open(R"(<VerticalLayout><Button name="tipped" height="30" tooltip="Settings"/><Control/></VerticalLayout>)");
  const UiPoint p = w.Centre("tipped");
  Screen().MouseMove(p.x, p.y);
  EXPECT_EQ(Screen().ToolTip(), "");
  host_.Loop().AdvanceBy(450);
  EXPECT_EQ(Screen().ToolTip(), "Settings");
  EXPECT_EQ(w.GetPaintManager().GetCurrentToolTip(), "Settings");
  Screen().MouseMove(p.x, 200);
  EXPECT_EQ(Screen().ToolTip(), "");
}

TEST_F(Interaction, ResizeSendsWindowSizeAndTrayClicksArriveAsMessages) {
  TestWindow& w = Open(R"(<VerticalLayout name="root"/>)");
  w.ResizeClient(500, 400);
  host_.Loop().RunPending();
  EXPECT_EQ(w.Count(kNotifyWindowSize, "root"), 1u);
  EXPECT_EQ(w.Find("root")->GetPos(), (UiRect{0, 0, 500, 400}));

  CTrayIcon tray;
  ASSERT_TRUE(tray.CreateTrayIcon(&w, "icon.png", "VELMORA Q3 PRO"));
  ASSERT_EQ(host_.TrayIcons().size(), 1u);
  EXPECT_EQ(host_.TrayIcons()[0]->Tooltip(), "VELMORA Q3 PRO");
  host_.TrayIcons()[0]->Activate();
  host_.TrayIcons()[0]->OpenContextMenu(5, 5);
  host_.Loop().RunPending();
  ASSERT_EQ(w.messages.size(), 2u);
  EXPECT_EQ(w.messages[0].msg, WM_TRAYICON);
  EXPECT_EQ(w.messages[0].lParam, 0x202);
  EXPECT_EQ(w.messages[1].lParam, 0x205);
  tray.DeleteTrayIcon();
  EXPECT_TRUE(host_.TrayIcons().empty());
}

TEST_F(Interaction, SystemCommandsAndCloseRequests) {
  TestWindow& w = Open(R"(<VerticalLayout name="root"/>)");
  w.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
  EXPECT_EQ(Screen().GetState(), HeadlessWindow::State::Minimized);
  w.SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE);
  EXPECT_EQ(Screen().GetState(), HeadlessWindow::State::Maximized);
  w.SendMessage(WM_SYSCOMMAND, SC_RESTORE);
  EXPECT_EQ(Screen().GetState(), HeadlessWindow::State::Normal);
  EXPECT_FALSE(Screen().RequestClose());  // the window closes itself, through WM_CLOSE
  EXPECT_TRUE(w.IsWindow());
  host_.Loop().RunPending();
  EXPECT_FALSE(w.IsWindow());
  EXPECT_EQ(w.GetCloseCode(), 0);
}

TEST_F(Interaction, ColourPalettePicksHueSaturationAndBrightness) {
  TestWindow& w = Open(R"(<VerticalLayout><ColorPalette name="pallet" width="361" height="120" barheight="16"/>
      <Control/></VerticalLayout>)");
  auto* palette = w.FindAs<CColorPaletteUI>("pallet", "ColorPalette");
  ASSERT_NE(palette, nullptr);
  palette->SetSelectColor(0xFF00FF00);
  EXPECT_EQ(palette->GetSelectColor(), 0xFF00FF00u);
  Screen().Click(0, 0);  // hue 0, full saturation, brightness kept at full: red
  EXPECT_EQ(palette->GetSelectColor(), 0xFFFF0000u);
  ASSERT_EQ(w.Count(kNotifyColorChanged, "pallet"), 1u);
  EXPECT_EQ(w.Last(kNotifyColorChanged)->wParam, 0xFFFF0000u);
  const UiRect rc = palette->GetPos();
  Screen().Click(rc.left, rc.bottom - 2);  // the brightness bar, darkest end
  EXPECT_EQ(palette->GetSelectColor(), 0xFF000000u);
  Screen().Drag(rc.left, rc.bottom - 2, rc.right - 1, rc.bottom - 2, 3);
  EXPECT_EQ(palette->GetSelectColor(), 0xFFFF0000u);
  EXPECT_GE(w.Count(kNotifyColorChanged, "pallet"), 3u);
}

TEST_F(Interaction, CentredWindowsSitInTheMiddleOfTheWorkArea) {
  host_.SetScreenWorkArea({0, 0, 1000, 800});
  TestWindow& w = Open(R"(<VerticalLayout/>)", 400, 300);
  w.CenterWindow();
  EXPECT_EQ(w.GetWindowRect(), (UiRect{300, 250, 700, 550}));
  TestWindow child(R"(<Window><VerticalLayout/></Window>)");
  ASSERT_TRUE(child.Open(host_, 100, 100, &w));
  child.CenterWindow();  // over its visible parent
  EXPECT_EQ(child.GetWindowRect(), (UiRect{450, 350, 550, 450}));
}

}  // namespace
}  // namespace velmora::toolkit
