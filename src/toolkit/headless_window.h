#pragma once

// HeadlessWindow: a host window without a screen, for tests. It records what the toolkit asks
// of it (visibility, bounds, capture, cursor, tooltip), renders on demand into an image and
// lets tests inject input as a user would produce it.

#include <string>

#include "toolkit/host.h"
#include "toolkit/ui_types.h"

namespace velmora::toolkit {

class HeadlessHost;

class HeadlessWindow : public HostWindow {
 public:
  HeadlessWindow(HeadlessHost& host, HostClient& client, const HostWindowOptions& options);
  ~HeadlessWindow() override;

  void Show(bool visible) override;
  bool IsVisible() const override { return visible_; }
  void SetTitle(const std::string& title) override { title_ = title; }
  void SetBounds(const HostRect& bounds) override;
  HostRect Bounds() const override { return bounds_; }
  void Minimize() override { state_ = State::Minimized; }
  void Maximize() override { state_ = State::Maximized; }
  void Restore() override { state_ = State::Normal; }
  void Invalidate(const HostRect& area) override;
  void SetCursor(HostCursor cursor) override { cursor_ = cursor; }
  void SetMouseCapture(bool capture) override { captured_ = capture; }
  void SetModal(bool modal) override { modal_ = modal; }
  void BeginMove() override { ++moveRequests_; }
  void ShowToolTip(const std::string& text, const HostRect& area) override;
  // A new image of the whole window; the caller destroys it.
  cairo_surface_t* Snapshot() override;

  // Renders the window and writes it as PNG; false when the file cannot be written.
  bool SaveSnapshot(const std::string& path);

  // Input, in window coordinates.
  void Inject(const HostInputEvent& event);
  void MouseMove(int x, int y);
  void MouseLeave();
  void ButtonDown(int x, int y, HostMouseButton button = HostMouseButton::Left);
  void ButtonUp(int x, int y, HostMouseButton button = HostMouseButton::Left);
  void Click(int x, int y, HostMouseButton button = HostMouseButton::Left);  // move, press, release
  void DoubleClick(int x, int y);
  void Drag(int fromX, int fromY, int toX, int toY, int steps = 4);
  void Wheel(int x, int y, int delta);
  void KeyPress(uint32_t keySym, uint32_t modifiers = 0);  // down and up
  void TypeText(const std::string& text);                  // committed text, as an input method sends it
  void Focus(bool focused);
  // The user asks to close the window (title bar, Alt+F4).
  bool RequestClose();
  // Clicks the centre of a rectangle.
  void ClickCentre(const UiRect& rc);

  enum class State { Normal, Minimized, Maximized };
  State GetState() const { return state_; }
  const std::string& Title() const { return title_; }
  const HostWindowOptions& Options() const { return options_; }
  bool IsCaptured() const { return captured_; }
  bool IsModal() const { return modal_; }
  HostCursor Cursor() const { return cursor_; }
  int MoveRequests() const { return moveRequests_; }
  const std::string& ToolTip() const { return toolTip_; }
  const HostRect& DirtyArea() const { return dirty_; }
  void ClearDirtyArea() { dirty_ = {}; }
  HostClient& Client() { return client_; }

 private:
  void InjectMouse(HostInputType type, int x, int y, HostMouseButton button);

  HeadlessHost& host_;
  HostClient& client_;
  HostWindowOptions options_;
  std::string title_;
  HostRect bounds_;
  HostRect dirty_;
  bool visible_ = false, captured_ = false, modal_ = false;
  State state_ = State::Normal;
  HostCursor cursor_ = HostCursor::Arrow;
  int moveRequests_ = 0;
  std::string toolTip_;
};

// The colour at (x, y) of an image surface as non-premultiplied ARGB; 0 outside it.
UiColor ReadPixel(cairo_surface_t* surface, int x, int y);

}  // namespace velmora::toolkit
