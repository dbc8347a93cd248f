#include "toolkit/gtk_host_window.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "gtk_test_host.h"

namespace velmora::toolkit {
namespace {

// Records what the window hands to the toolkit.
class RecordingClient : public HostClient {
 public:
  void OnHostPaint(cairo_t* cr, const HostRect& dirty) override {
    paints.push_back(dirty);
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_paint(cr);
  }
  void OnHostInput(const HostInputEvent& event) override {
    inputs.push_back(event);
    if (onInput) onInput(event);
  }
  void OnHostResize(int width, int height) override { sizes.push_back({0, 0, width, height}); }
  bool OnHostCloseRequest() override { return allowClose; }
  HostRect HostCaretRect() override { return {5, 5, 6, 20}; }

  std::vector<HostRect> paints, sizes;
  std::vector<HostInputEvent> inputs;
  std::function<void(const HostInputEvent&)> onInput;
  bool allowClose = false;
};

class GtkHostWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(testing::TestGtkHost(), nullptr);
    HostWindowOptions options;
    options.title = "host window test";
    options.width = 300;
    options.height = 200;
    window_ = std::make_unique<GtkHostWindow>(client_, options, nullptr);
  }

  GtkWidget* Area() const { return gtk_bin_get_child(GTK_BIN(window_->Widget())); }

  // Iterates the main loop until condition holds or a second has passed.
  static bool SpinUntil(const std::function<bool()>& condition) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (!condition() && std::chrono::steady_clock::now() < end) g_main_context_iteration(nullptr, FALSE);
    return condition();
  }

  void ShowAndWaitForPaint() {
    window_->Show(true);
    ASSERT_TRUE(SpinUntil([&] { return !client_.paints.empty(); }));
  }

  void SendButton(GdkEventType type, guint button, double x, double y, guint32 time) {
    GdkEvent* event = gdk_event_new(type);
    event->button.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(Area())));
    event->button.button = button;
    event->button.x = x;
    event->button.y = y;
    event->button.time = time;
    gtk_widget_event(Area(), event);
    gdk_event_free(event);
  }

  void SendKey(guint keyval) {
    GdkEvent* event = gdk_event_new(GDK_KEY_PRESS);
    event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(GTK_WIDGET(window_->Widget()))));
    event->key.keyval = keyval;
    gtk_widget_event(GTK_WIDGET(window_->Widget()), event);
    gdk_event_free(event);
  }

  void SendCrossing(GdkEventType type) {
    GdkEvent* event = gdk_event_new(type);
    event->crossing.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(Area())));
    gtk_widget_event(Area(), event);
    gdk_event_free(event);
  }

  std::vector<HostInputType> InputTypes() const {
    std::vector<HostInputType> types;
    for (const auto& input : client_.inputs) types.push_back(input.type);
    return types;
  }

  RecordingClient client_;
  std::unique_ptr<GtkHostWindow> window_;
};

TEST_F(GtkHostWindowTest, ShowingPaintsAndReportsTheClientSize) {
  ShowAndWaitForPaint();
  EXPECT_TRUE(window_->IsVisible());
  ASSERT_FALSE(client_.sizes.empty());
  EXPECT_EQ(client_.sizes.back().Width(), 300);
  EXPECT_EQ(client_.sizes.back().Height(), 200);
  const HostRect& dirty = client_.paints.back();
  EXPECT_GE(dirty.left, 0);
  EXPECT_LE(dirty.right, 300);
  EXPECT_GT(dirty.Width(), 0);
}

TEST_F(GtkHostWindowTest, SnapshotRendersTheWholeClientArea) {
  ShowAndWaitForPaint();
  cairo_surface_t* surface = window_->Snapshot();
  ASSERT_EQ(cairo_image_surface_get_width(surface), 300);
  ASSERT_EQ(cairo_image_surface_get_height(surface), 200);
  auto* pixels = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface));
  int stride = cairo_image_surface_get_stride(surface) / 4;
  EXPECT_EQ(pixels[0], 0xFFFF0000u);
  EXPECT_EQ(pixels[199 * stride + 299], 0xFFFF0000u);
  cairo_surface_destroy(surface);
}

TEST_F(GtkHostWindowTest, SecondQuickPressIsADoubleClick) {
  ShowAndWaitForPaint();
  SendButton(GDK_BUTTON_PRESS, 1, 10.7, 20.2, 1000);
  SendButton(GDK_BUTTON_RELEASE, 1, 10, 20, 1050);
  SendButton(GDK_BUTTON_PRESS, 1, 11, 20, 1100);
  SendButton(GDK_2BUTTON_PRESS, 1, 11, 20, 1100);  // GDK's own double press is not passed on
  SendButton(GDK_BUTTON_RELEASE, 1, 11, 20, 1150);
  SendButton(GDK_BUTTON_PRESS, 3, 50, 60, 5000);
  using T = HostInputType;
  ASSERT_EQ(InputTypes(), (std::vector<T>{T::ButtonDown, T::ButtonUp, T::DoubleClick, T::ButtonUp, T::ButtonDown}));
  EXPECT_EQ(client_.inputs[0].x, 10);
  EXPECT_EQ(client_.inputs[0].y, 20);
  EXPECT_EQ(client_.inputs[0].button, HostMouseButton::Left);
  EXPECT_EQ(client_.inputs[4].button, HostMouseButton::Right);
  EXPECT_EQ(client_.inputs[4].x, 50);
}

TEST_F(GtkHostWindowTest, PrintableKeyGivesKeyDownThenItsText) {
  ShowAndWaitForPaint();
  SendKey(GDK_KEY_a);
  SendKey(GDK_KEY_Return);
  using T = HostInputType;
  ASSERT_EQ(InputTypes(), (std::vector<T>{T::KeyDown, T::TextInput, T::KeyDown}));
  EXPECT_EQ(client_.inputs[0].keySym, static_cast<uint32_t>(GDK_KEY_a));
  EXPECT_EQ(client_.inputs[1].text, "a");
  EXPECT_EQ(client_.inputs[2].keySym, static_cast<uint32_t>(GDK_KEY_Return));
}

TEST_F(GtkHostWindowTest, LeaveIsHeldBackWhileTheMouseIsCaptured) {
  ShowAndWaitForPaint();
  window_->SetMouseCapture(true);
  SendCrossing(GDK_LEAVE_NOTIFY);
  EXPECT_TRUE(client_.inputs.empty());
  window_->SetMouseCapture(false);
  ASSERT_EQ(InputTypes(), std::vector<HostInputType>{HostInputType::MouseLeave});
  // Back inside: releasing a capture does not invent a leave.
  SendCrossing(GDK_ENTER_NOTIFY);
  window_->SetMouseCapture(true);
  window_->SetMouseCapture(false);
  EXPECT_EQ(client_.inputs.size(), 1u);
}

TEST_F(GtkHostWindowTest, ClientMayDestroyTheWindowWhileHandlingInput) {
  ShowAndWaitForPaint();
  client_.onInput = [&](const HostInputEvent&) { window_.reset(); };
  GtkWidget* area = Area();
  g_object_ref(area);
  GdkEvent* event = gdk_event_new(GDK_KEY_PRESS);
  event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(area)));
  event->key.keyval = GDK_KEY_b;
  gtk_widget_event(gtk_widget_get_toplevel(area), event);
  gdk_event_free(event);
  g_object_unref(area);
  EXPECT_EQ(window_, nullptr);
  ASSERT_EQ(client_.inputs.size(), 1u);  // the text of the key is not delivered to a dead window
}

TEST_F(GtkHostWindowTest, CloseRequestIsUpToTheClient) {
  ShowAndWaitForPaint();
  GdkEvent* event = gdk_event_new(GDK_DELETE);
  event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(GTK_WIDGET(window_->Widget()))));
  gtk_widget_event(GTK_WIDGET(window_->Widget()), event);
  EXPECT_TRUE(window_->IsVisible());
  client_.allowClose = true;
  gtk_widget_event(GTK_WIDGET(window_->Widget()), event);
  EXPECT_FALSE(window_->IsVisible());
  gdk_event_free(event);
}

TEST_F(GtkHostWindowTest, WheelNotchesAndCursorChanges) {
  ShowAndWaitForPaint();
  GdkEvent* event = gdk_event_new(GDK_SCROLL);
  event->scroll.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(Area())));
  event->scroll.direction = GDK_SCROLL_DOWN;
  event->scroll.x = 30;
  event->scroll.y = 40;
  gtk_widget_event(Area(), event);
  gdk_event_free(event);
  ASSERT_EQ(client_.inputs.size(), 1u);
  EXPECT_EQ(client_.inputs[0].type, HostInputType::Wheel);
  EXPECT_EQ(client_.inputs[0].wheelDelta, -120);
  EXPECT_EQ(client_.inputs[0].x, 30);
  EXPECT_EQ(gdk_window_get_cursor(gtk_widget_get_window(Area())), nullptr);
  window_->SetCursor(HostCursor::Hand);
  EXPECT_NE(gdk_window_get_cursor(gtk_widget_get_window(Area())), nullptr);
}

TEST_F(GtkHostWindowTest, ToolTipTextIsShownAndCleared) {
  ShowAndWaitForPaint();
  window_->ShowToolTip("Minimise", {0, 0, 10, 10});
  gchar* text = gtk_widget_get_tooltip_text(Area());
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "Minimise");
  g_free(text);
  window_->ShowToolTip("", {});
  EXPECT_EQ(gtk_widget_get_tooltip_text(Area()), nullptr);
}

}  // namespace
}  // namespace velmora::toolkit
