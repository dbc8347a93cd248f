#pragma once

// CSliderUI: a progress bar with a thumb the user drags. While dragging it sends
// "movevaluechanged" for each new value; releasing the button (or a click on the track, or
// the wheel) sends "valuechanged".

#include "toolkit/progress.h"

namespace velmora::toolkit {

class CSliderUI : public CProgressUI {
 public:
  CSliderUI();
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  uint32_t GetControlFlags() const override { return UIFLAG_SETCURSOR; }

  int GetChangeStep() const { return step_; }
  void SetChangeStep(int step) { step_ = step > 0 ? step : 1; }
  UiSize GetThumbSize() const;
  void SetThumbSize(UiSize size);
  UiRect GetThumbRect() const;
  bool IsDragging() const { return (buttonState_ & UISTATE_CAPTURED) != 0; }

  void DoEvent(TEventUI& event) override;
  void PaintStatusImage(cairo_t* cr) override;
  void SetAttribute(const std::string& name, const std::string& value) override;

 private:
  int ValueAtPoint(UiPoint point) const;

  int step_ = 1;
  UiSize thumbSize_{10, 10};
  uint32_t buttonState_ = 0;
  std::string thumbImage_, thumbHotImage_, thumbPushedImage_;
};

}  // namespace velmora::toolkit
