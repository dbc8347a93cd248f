#pragma once

// The seam between the toolkit's windows and the system that shows them. Two hosts implement
// it: the headless host (tests, snapshots) and the GTK host (real windows).

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/message_loop.h"

namespace velmora::toolkit {

struct HostRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

enum class HostMouseButton { None, Left, Right, Middle };

enum class HostInputType {
  MouseMove, MouseLeave, ButtonDown, ButtonUp, DoubleClick, Wheel,
  KeyDown, KeyUp, TextInput,  // TextInput: committed text from the input method (UTF-8)
  FocusIn, FocusOut,
};

// Modifier bits of HostInputEvent::modifiers.
enum HostModifier : uint32_t { kModShift = 1, kModControl = 2, kModAlt = 4, kModSuper = 8 };

struct HostInputEvent {
  HostInputType type = HostInputType::MouseMove;
  int x = 0, y = 0;                 // window coordinates in device pixels
  HostMouseButton button = HostMouseButton::None;
  int wheelDelta = 0;               // +120 per notch away from the user
  uint32_t keySym = 0;              // X keysym for key events
  uint32_t modifiers = 0;
  std::string text;                 // TextInput
};

enum class HostCursor { Arrow, Hand, IBeam, SizeWE, SizeNS, Wait };

// What a host window shows and where its input goes; implemented by the toolkit's window.
class HostClient {
 public:
  virtual ~HostClient() = default;
  // Paints the dirty area; cr is clipped to it and in window device pixels.
  virtual void OnHostPaint(cairo_t* cr, const HostRect& dirty) = 0;
  virtual void OnHostInput(const HostInputEvent& event) = 0;
  virtual void OnHostResize(int width, int height) = 0;
  // The user asked to close the window (title bar, Alt+F4); false keeps it open.
  virtual bool OnHostCloseRequest() = 0;
  // Position for the input method's candidate window, in window coordinates.
  virtual HostRect HostCaretRect() { return {}; }
};

struct HostWindowOptions {
  std::string title;
  int width = 640, height = 480;
  bool resizable = true;
  bool decorated = false;           // skin windows draw their own caption
  bool toolWindow = false;          // pop-ups such as combo lists and menus
  class HostWindow* parent = nullptr;
};

// One top-level window.
class HostWindow {
 public:
  virtual ~HostWindow() = default;
  virtual void Show(bool visible) = 0;
  virtual bool IsVisible() const = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void SetBounds(const HostRect& bounds) = 0;  // screen coordinates
  virtual HostRect Bounds() const = 0;
  virtual void Minimize() = 0;
  virtual void Maximize() = 0;
  virtual void Restore() = 0;
  virtual void Invalidate(const HostRect& area) = 0;
  virtual void SetCursor(HostCursor cursor) = 0;
  virtual void SetMouseCapture(bool capture) = 0;
  virtual void SetModal(bool modal) = 0;  // blocks input to the other windows while set
  virtual void BeginMove() {}             // start moving the window with the mouse (caption drag)
  // Shows a tooltip near area (window coordinates); an empty text hides it.
  virtual void ShowToolTip(const std::string& /*text*/, const HostRect& /*area*/) {}
  // Renders the whole window now into an image surface (for snapshots and tests).
  virtual cairo_surface_t* Snapshot() = 0;
};

struct FileDialogOptions {
  std::string title;
  // Windows-style filter string: pairs of description and patterns separated by '|', e.g.
  // "Profile (*.Json)|*.Json|All files (*.*)|*.*".
  std::string filter;
  std::string initialFolder;
  std::string initialName;
};

// A tray icon with a menu opened by the owner on right click.
class HostTrayIcon {
 public:
  virtual ~HostTrayIcon() = default;
  virtual void SetTooltip(const std::string& text) = 0;
  virtual void SetVisible(bool visible) = 0;
};

struct HostTrayCallbacks {
  std::function<void()> activate;                 // left click / double click
  std::function<void(int x, int y)> contextMenu;  // right click at screen position
};

class Host {
 public:
  virtual ~Host() = default;
  virtual std::unique_ptr<HostWindow> CreateHostWindow(HostClient& client, const HostWindowOptions& options) = 0;
  virtual MessageLoop& Loop() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
  virtual std::string ClipboardText() = 0;
  // Modal file dialogs; false when cancelled.
  virtual bool OpenFileDialog(HostWindow* owner, const FileDialogOptions& options, std::string& path) = 0;
  virtual bool SaveFileDialog(HostWindow* owner, const FileDialogOptions& options, std::string& path) = 0;
  // Null when the host has no tray (the program then works without one).
  virtual std::unique_ptr<HostTrayIcon> CreateTrayIcon(const std::string& iconPath, const std::string& tooltip,
                                                      HostTrayCallbacks callbacks) = 0;
  virtual HostRect ScreenWorkArea() = 0;
  virtual int ScreenDpi() = 0;
};

}  // namespace velmora::toolkit
