#pragma once

// A pop-up menu built from a layout file:
//   <Menu> <MenuElement name="exit" text="Exit" userdata="…" checkable="true" checked="false"/> … </Menu>
// Clicking an element closes the menu and posts WM_MENUCLICK to the owner window with a
// MenuCmd (name, user data, text, check state) allocated in the owner's paint manager, which
// the owner releases with DeletePtr. A check map keeps checkable elements' states between
// menus. Escape or the menu losing focus closes it without a command.

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "toolkit/list.h"
#include "toolkit/list_element.h"
#include "toolkit/window_impl_base.h"

namespace velmora::toolkit {

// Check states by element name, kept by the owner across menus.
using MenuCheckMap = std::map<std::string, bool>;

// Where the menu sits relative to its point: the named edge is placed at the point
// (left and top by default).
inline constexpr uint32_t eMenuAlignment_Left = 1 << 1;
inline constexpr uint32_t eMenuAlignment_Top = 1 << 2;
inline constexpr uint32_t eMenuAlignment_Right = 1 << 3;
inline constexpr uint32_t eMenuAlignment_Bottom = 1 << 4;

class CMenuUI : public CListUI {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  // Called when a click on an element is complete (button released on it).
  void OnItemClicked(int index) override;
  void SetItemClickHandler(std::function<void(int)> handler) { onItemClicked_ = std::move(handler); }

 private:
  std::function<void(int)> onItemClicked_;
};

class CMenuElementUI : public CListLabelElementUI {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  bool IsCheckable() const { return checkable_; }
  bool IsChecked() const { return checked_; }
  void SetChecked(bool checked);
  void PaintText(cairo_t* cr) override;
  void SetAttribute(const std::string& name, const std::string& value) override;

 private:
  bool checkable_ = false;
  bool checked_ = false;
};

class CMenuWnd : public WindowImplBase {
 public:
  // Opens the menu at point (screen coordinates). owner is the paint manager of the window
  // that receives the command; checks may be null. Null when the menu cannot be built.
  static CMenuWnd* CreateMenu(const std::string& xml, UiPoint point, CPaintManagerUI* owner,
                              MenuCheckMap* checks = nullptr, uint32_t alignment = eMenuAlignment_Left | eMenuAlignment_Top);

  std::string GetSkinFile() override { return xml_; }
  std::string GetWindowClassName() const override { return "MenuWnd"; }
  void InitWindow() override;
  // Closes the menu without a command.
  void Dismiss() { Close(IDCANCEL); }
  CMenuUI* GetMenuRoot() const { return menu_; }

 protected:
  void OnHostInput(const HostInputEvent& event) override;
  UiLResult OnDestroy(UiWParam wParam, UiLParam lParam, bool& handled) override;
  void OnFinalMessage() override { delete this; }

 private:
  CMenuWnd(std::string xml, CPaintManagerUI* owner, MenuCheckMap* checks, UiPoint point, uint32_t alignment)
      : xml_(std::move(xml)), owner_(owner), checks_(checks), point_(point), alignment_(alignment) {}
  void Place();
  void Choose(CMenuElementUI* element);

  std::string xml_;
  CPaintManagerUI* owner_;
  std::weak_ptr<CPaintManagerUI*> ownerAlive_;
  MenuCheckMap* checks_;
  UiPoint point_;
  uint32_t alignment_;
  CMenuUI* menu_ = nullptr;
  bool chosen_ = false;
};

// Where a menu of the given size lands for the point and alignment, kept on the work area.
UiRect PlaceMenu(UiPoint point, UiSize size, uint32_t alignment, const UiRect& workArea);

}  // namespace velmora::toolkit
