#pragma once

// CProgressUI: a bar showing value between minimum and maximum, filled with the fore image
// (cut off at the value, or stretched when isstretchfore is set) or the fore colour.

#include "toolkit/label.h"

namespace velmora::toolkit {

class CProgressUI : public CLabelUI {
 public:
  CProgressUI();
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  bool IsHorizontal() const { return horizontal_; }
  void SetHorizontal(bool horizontal = true);
  int GetMinValue() const { return min_; }
  void SetMinValue(int value);
  int GetMaxValue() const { return max_; }
  void SetMaxValue(int value);
  int GetValue() const { return value_; }
  // Clamped to the range.
  virtual void SetValue(int value);

  void PaintStatusImage(cairo_t* cr) override;
  void SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  // The filled part of the bar for the current value.
  UiRect ForeRect() const;

  bool horizontal_ = true, stretchFore_ = false;
  int min_ = 0, max_ = 100, value_ = 0;
  UiColor foreColor_ = 0;
};

}  // namespace velmora::toolkit
