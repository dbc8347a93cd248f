#pragma once

// CLabelUI: a control showing one text with a font, colours, alignment and padding.

#include "toolkit/control.h"

namespace velmora::toolkit {

class CLabelUI : public CControlUI {
 public:
  CLabelUI();
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  void SetTextStyle(uint32_t style);
  uint32_t GetTextStyle() const { return textStyle_; }
  void SetTextColor(UiColor color);
  UiColor GetTextColor() const { return textColor_; }
  void SetDisabledTextColor(UiColor color);
  UiColor GetDisabledTextColor() const { return disabledTextColor_; }
  void SetFont(int font);
  int GetFont() const { return font_; }
  UiRect GetTextPadding() const;
  void SetTextPadding(const UiRect& padding);
  bool IsShowHtml() const { return showHtml_; }
  void SetShowHtml(bool showHtml = true);
  bool IsAutoCalcWidth() const { return autoCalcWidth_; }
  void SetAutoCalcWidth(bool on);

  UiSize EstimateSize(UiSize available) override;
  void PaintText(cairo_t* cr) override;
  void SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  // The colour the text is drawn in for the current state.
  virtual UiColor CurrentTextColor() const;
  void DrawLabelText(cairo_t* cr, const std::string& text, UiColor color);

  uint32_t textStyle_;
  UiColor textColor_ = 0, disabledTextColor_ = 0;
  int font_ = -1;
  UiRect textPadding_;
  bool showHtml_ = false, autoCalcWidth_ = false;
};

// Parses an "align"/"valign" value ("left", "center", "right", "top", "vcenter", "bottom",
// several separated by ',' or ' ') into the DT_* bits it sets; mask receives the bits it clears.
uint32_t ParseTextAlign(const std::string& value, uint32_t& mask);

}  // namespace velmora::toolkit
