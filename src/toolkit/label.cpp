#include "toolkit/label.h"

#include "toolkit/paint_manager.h"
#include "toolkit/render_engine.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {

uint32_t ParseTextAlign(const std::string& value, uint32_t& mask) {
  uint32_t bits = 0;
  mask = 0;
  size_t start = 0;
  while (start <= value.size()) {
    size_t end = value.find_first_of(", ", start);
    const std::string token = value.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (EqualsNoCase(token, "left")) {
      mask |= DT_CENTER | DT_RIGHT;
    } else if (EqualsNoCase(token, "center")) {
      mask |= DT_RIGHT;
      bits |= DT_CENTER;
    } else if (EqualsNoCase(token, "right")) {
      mask |= DT_CENTER;
      bits |= DT_RIGHT;
    } else if (EqualsNoCase(token, "top")) {
      mask |= DT_VCENTER | DT_BOTTOM;
    } else if (EqualsNoCase(token, "vcenter")) {
      mask |= DT_BOTTOM;
      bits |= DT_VCENTER;
    } else if (EqualsNoCase(token, "bottom")) {
      mask |= DT_VCENTER;
      bits |= DT_BOTTOM;
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return bits;
}

CLabelUI::CLabelUI() : textStyle_(DT_VCENTER | DT_SINGLELINE) {}

std::string CLabelUI::GetClass() const { return "LabelUI"; }

void* CLabelUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "Label")) return this;
  return CControlUI::GetInterface(name);
}

void CLabelUI::SetTextStyle(uint32_t style) {
  textStyle_ = style;
  Invalidate();
}
void CLabelUI::SetTextColor(UiColor color) {
  textColor_ = color;
  Invalidate();
}
void CLabelUI::SetDisabledTextColor(UiColor color) {
  disabledTextColor_ = color;
  Invalidate();
}
void CLabelUI::SetFont(int font) {
  font_ = font;
  Invalidate();
}
UiRect CLabelUI::GetTextPadding() const { return Scale(textPadding_); }
void CLabelUI::SetTextPadding(const UiRect& padding) {
  textPadding_ = padding;
  Invalidate();
}
void CLabelUI::SetShowHtml(bool showHtml) {
  showHtml_ = showHtml;
  Invalidate();
}
void CLabelUI::SetAutoCalcWidth(bool on) {
  autoCalcWidth_ = on;
  NeedParentUpdate();
}

UiSize CLabelUI::EstimateSize(UiSize available) {
  UiSize size = CControlUI::EstimateSize(available);
  if (autoCalcWidth_) {
    const UiRect padding = GetTextPadding();
    const UiSize text = CRenderEngine::MeasureText(m_pManager, GetText(), font_, textStyle_ & ~DT_WORDBREAK, 0, showHtml_);
    size.cx = text.cx + padding.left + padding.right;
  }
  return size;
}

UiColor CLabelUI::CurrentTextColor() const {
  if (!IsEnabled()) {
    if (disabledTextColor_ != 0) return disabledTextColor_;
    return m_pManager != nullptr ? m_pManager->GetDefaultDisabledColor() : 0xFFA7A6AA;
  }
  if (textColor_ != 0) return textColor_;
  return m_pManager != nullptr ? m_pManager->GetDefaultFontColor() : 0xFF000000;
}

void CLabelUI::DrawLabelText(cairo_t* cr, const std::string& text, UiColor color) {
  if (text.empty()) return;
  UiRect rc = m_rcItem.Deflate(GetTextPadding());
  CRenderEngine::DrawText(cr, m_pManager, rc, text, color, font_, textStyle_, showHtml_);
}

void CLabelUI::PaintText(cairo_t* cr) { DrawLabelText(cr, GetText(), CurrentTextColor()); }

void CLabelUI::SetAttribute(const std::string& name, const std::string& value) {
  const std::string key = ToLowerAscii(name);
  if (key == "align" || key == "valign") {
    uint32_t mask = 0;
    const uint32_t bits = ParseTextAlign(value, mask);
    SetTextStyle((textStyle_ & ~mask) | bits);
  } else if (key == "endellipsis") {
    SetTextStyle(ParseBool(value) ? (textStyle_ | DT_END_ELLIPSIS) : (textStyle_ & ~DT_END_ELLIPSIS));
  } else if (key == "wordbreak" || key == "multiline") {
    SetTextStyle(ParseBool(value) ? ((textStyle_ | DT_WORDBREAK) & ~DT_SINGLELINE)
                                  : ((textStyle_ & ~DT_WORDBREAK) | DT_SINGLELINE));
  } else if (key == "font") {
    SetFont(ParseInt(value));
  } else if (key == "textcolor") {
    SetTextColor(ParseColor(value));
  } else if (key == "disabledtextcolor") {
    SetDisabledTextColor(ParseColor(value));
  } else if (key == "textpadding") {
    SetTextPadding(ParseRect(value));
  } else if (key == "showhtml") {
    SetShowHtml(ParseBool(value));
  } else if (key == "autocalcwidth") {
    SetAutoCalcWidth(ParseBool(value));
  } else {
    CControlUI::SetAttribute(name, value);
  }
}

}  // namespace velmora::toolkit
