#include "toolkit/progress.h"

#include <algorithm>

#include "toolkit/render_engine.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {

CProgressUI::CProgressUI() { textStyle_ = DT_SINGLELINE | DT_CENTER | DT_VCENTER; }

std::string CProgressUI::GetClass() const { return "ProgressUI"; }

void* CProgressUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "Progress")) return this;
  return CLabelUI::GetInterface(name);
}

void CProgressUI::SetHorizontal(bool horizontal) {
  horizontal_ = horizontal;
  Invalidate();
}

void CProgressUI::SetMinValue(int value) {
  min_ = value;
  if (max_ < min_) max_ = min_;
  SetValue(value_);
  Invalidate();
}

void CProgressUI::SetMaxValue(int value) {
  max_ = value;
  if (min_ > max_) min_ = max_;
  SetValue(value_);
  Invalidate();
}

void CProgressUI::SetValue(int value) {
  value = std::clamp(value, min_, max_);
  if (value == value_) return;
  value_ = value;
  Invalidate();
}

UiRect CProgressUI::ForeRect() const {
  UiRect rc = m_rcItem;
  if (max_ <= min_) return {rc.left, rc.top, rc.left, rc.top};
  const double fraction = static_cast<double>(value_ - min_) / (max_ - min_);
  if (horizontal_) {
    rc.right = rc.left + static_cast<int>(rc.Width() * fraction + 0.5);
  } else {
    rc.top = rc.bottom - static_cast<int>(rc.Height() * fraction + 0.5);
  }
  return rc;
}

void CProgressUI::PaintStatusImage(cairo_t* cr) {
  const UiRect fore = ForeRect();
  if (fore.IsEmpty()) return;
  if (foreColor_ != 0) CRenderEngine::DrawColor(cr, fore.Intersect(m_rcPaint), foreColor_);
  if (m_sForeImage.empty()) return;
  if (stretchFore_) {  // the whole image squeezed into the filled part
    CRenderEngine::DrawImageString(cr, m_pManager, fore, m_rcPaint.Intersect(fore), m_sForeImage);
    return;
  }
  // Unstretched: the image spans the whole bar and is cut off at the value.
  CRenderEngine::DrawImageString(cr, m_pManager, m_rcItem, m_rcPaint.Intersect(fore), m_sForeImage);
}

void CProgressUI::SetAttribute(const std::string& name, const std::string& value) {
  const std::string key = ToLowerAscii(name);
  if (key == "hor" || key == "horizontal") SetHorizontal(ParseBool(value));
  else if (key == "min") SetMinValue(ParseInt(value));
  else if (key == "max") SetMaxValue(ParseInt(value));
  else if (key == "value") SetValue(ParseInt(value));
  else if (key == "isstretchfore") stretchFore_ = ParseBool(value);
  else if (key == "forecolor") foreColor_ = ParseColor(value);
  else CLabelUI::SetAttribute(name, value);
}

}  // namespace velmora::toolkit
