#pragma once

// CComboWnd: the drop-down pop-up of a combo box. While it is open the combo's items live in
// its scrolling list (the combo still owns them); closing gives them back.

#include "toolkit/window_impl_base.h"

namespace velmora::toolkit {

class CComboUI;
class CVerticalLayoutUI;

class CComboWnd : public WindowImplBase {
 public:
  // Opens the pop-up under (or, without room, above) the combo. Null when it cannot be shown.
  static CComboWnd* Open(CComboUI* owner);

  std::string GetSkinFile() override;
  std::string GetWindowClassName() const override { return "ComboWnd"; }
  void InitWindow() override;
  // Returns the items to the combo and closes the pop-up (after the current event).
  void Dismiss();
  // Returns the items and destroys the pop-up at once (the combo is going away).
  void DestroyNow();
  CVerticalLayoutUI* GetLayout() const { return layout_; }

 protected:
  void OnHostInput(const HostInputEvent& event) override;
  UiLResult OnDestroy(UiWParam wParam, UiLParam lParam, bool& handled) override;
  void OnFinalMessage() override { delete this; }

 private:
  explicit CComboWnd(CComboUI* owner) : owner_(owner) {}
  void ReturnItems();

  CComboUI* owner_;
  CVerticalLayoutUI* layout_ = nullptr;
  bool itemsReturned_ = false;
};

}  // namespace velmora::toolkit
