#pragma once

// CButtonUI: a label that is pressed with the mouse (or Return/Space while focused) and
// sends "click"; it shows an image and colours per state (normal, hot, pushed, focused,
// disabled).

#include "toolkit/label.h"

namespace velmora::toolkit {

class CButtonUI : public CLabelUI {
 public:
  CButtonUI();
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  uint32_t GetControlFlags() const override;

  bool Activate() override;
  void SetEnabled(bool enabled = true) override;
  void DoEvent(TEventUI& event) override;
  void PaintBkColor(cairo_t* cr) override;
  void PaintStatusImage(cairo_t* cr) override;
  void SetAttribute(const std::string& name, const std::string& value) override;

  uint32_t GetButtonState() const { return buttonState_; }
  const std::string& GetNormalImage() const { return normalImage_; }
  void SetNormalImage(const std::string& image);
  const std::string& GetHotImage() const { return hotImage_; }
  void SetHotImage(const std::string& image);
  const std::string& GetPushedImage() const { return pushedImage_; }
  void SetPushedImage(const std::string& image);
  const std::string& GetFocusedImage() const { return focusedImage_; }
  void SetFocusedImage(const std::string& image);
  const std::string& GetDisabledImage() const { return disabledImage_; }
  void SetDisabledImage(const std::string& image);
  void SetHotBkColor(UiColor color);
  UiColor GetHotBkColor() const { return hotBkColor_; }
  void SetHotTextColor(UiColor color);
  UiColor GetHotTextColor() const { return hotTextColor_; }
  void SetPushedTextColor(UiColor color);
  void SetFocusedTextColor(UiColor color);

 protected:
  UiColor CurrentTextColor() const override;
  // The state image for the current state; empty when none applies.
  std::string CurrentStateImage() const;

  uint32_t buttonState_ = 0;
  std::string normalImage_, hotImage_, pushedImage_, focusedImage_, disabledImage_;
  std::string hotForeImage_, pushedForeImage_;
  UiColor hotBkColor_ = 0, pushedBkColor_ = 0;
  UiColor hotTextColor_ = 0, pushedTextColor_ = 0, focusedTextColor_ = 0;
};

}  // namespace velmora::toolkit
