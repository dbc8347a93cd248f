#pragma once

// COptionUI: a button with a selected state. Options sharing a group act as radio buttons
// (selecting one clears the others and a click never clears a selected one); without a group
// a click toggles the option. Every change sends "selectchanged".
// CCheckBoxUI: an option without a group, read as a check state.

#include "toolkit/button.h"

namespace velmora::toolkit {

class COptionUI : public CButtonUI {
 public:
  ~COptionUI() override;
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
  bool Activate() override;

  const std::string& GetGroup() const { return group_; }
  void SetGroup(const std::string& group);
  bool IsSelected() const { return selected_; }
  virtual void Selected(bool selected, bool triggerEvent = true);

  const std::string& GetSelectedImage() const { return selectedImage_; }
  void SetSelectedImage(const std::string& image);
  void SetSelectedHotImage(const std::string& image);
  UiColor GetSelectedBkColor() const { return selectedBkColor_; }
  void SetSelectedBkColor(UiColor color);
  void SetSelectedTextColor(UiColor color);

  void PaintBkColor(cairo_t* cr) override;
  void PaintStatusImage(cairo_t* cr) override;
  void SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  UiColor CurrentTextColor() const override;

  bool selected_ = false;
  std::string group_;
  std::string selectedImage_, selectedHotImage_, selectedPushedImage_, selectedForeImage_;
  UiColor selectedBkColor_ = 0, selectedTextColor_ = 0;
};

class CCheckBoxUI : public COptionUI {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  bool GetCheck() const { return IsSelected(); }
  void SetCheck(bool check, bool triggerEvent = true) { Selected(check, triggerEvent); }
};

}  // namespace velmora::toolkit
