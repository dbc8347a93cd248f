#include "toolkit/option.h"

#include "toolkit/paint_manager.h"
#include "toolkit/render_engine.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {

COptionUI::~COptionUI() {
  if (!group_.empty() && m_pManager != nullptr) m_pManager->RemoveOptionGroup(group_, this);
}

std::string COptionUI::GetClass() const { return "OptionUI"; }

void* COptionUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "Option")) return this;
  return CButtonUI::GetInterface(name);
}

void COptionUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
  if (m_pManager != nullptr && m_pManager != manager && !group_.empty()) m_pManager->RemoveOptionGroup(group_, this);
  CButtonUI::SetManager(manager, parent, init);
  if (manager != nullptr && !group_.empty()) manager->AddOptionGroup(group_, this);
  // An option built as selected clears the group's earlier selection, quietly.
  if (manager != nullptr && init && selected_) Selected(true, false);
}

void COptionUI::SetGroup(const std::string& group) {
  if (group == group_) return;
  if (m_pManager != nullptr && !group_.empty()) m_pManager->RemoveOptionGroup(group_, this);
  group_ = group;
  if (m_pManager != nullptr && !group_.empty()) m_pManager->AddOptionGroup(group_, this);
  Selected(selected_, false);
}

void COptionUI::Selected(bool selected, bool triggerEvent) {
  const bool changed = selected_ != selected;
  selected_ = selected;
  if (selected && m_pManager != nullptr && !group_.empty()) {
    // Copy: a handler of the notifications below may change the group.
    const auto* members = m_pManager->GetOptionGroup(group_);
    const std::vector<CControlUI*> others = members != nullptr ? *members : std::vector<CControlUI*>();
    for (CControlUI* other : others) {
      auto* option = static_cast<COptionUI*>(other->GetInterface("Option"));
      if (option != nullptr && option != this && option->IsSelected()) option->Selected(false, triggerEvent);
    }
  }
  if (!changed) return;
  Invalidate();
  if (triggerEvent) Notify(kNotifySelectChanged);
}

bool COptionUI::Activate() {
  if (!CButtonUI::Activate()) return false;
  if (!group_.empty()) {
    Selected(true);
  } else {
    Selected(!selected_);
  }
  return true;
}

void COptionUI::SetSelectedImage(const std::string& image) {
  selectedImage_ = image;
  Invalidate();
}
void COptionUI::SetSelectedHotImage(const std::string& image) {
  selectedHotImage_ = image;
  Invalidate();
}
void COptionUI::SetSelectedBkColor(UiColor color) {
  selectedBkColor_ = color;
  Invalidate();
}
void COptionUI::SetSelectedTextColor(UiColor color) {
  selectedTextColor_ = color;
  Invalidate();
}

void COptionUI::PaintBkColor(cairo_t* cr) {
  if (selected_ && selectedBkColor_ != 0) {
    CRenderEngine::DrawColor(cr, m_rcPaint, selectedBkColor_);
    return;
  }
  CButtonUI::PaintBkColor(cr);
}

void COptionUI::PaintStatusImage(cairo_t* cr) {
  if (selected_) {
    std::string image = selectedImage_;
    if ((buttonState_ & UISTATE_PUSHED) != 0 && !selectedPushedImage_.empty()) image = selectedPushedImage_;
    else if ((buttonState_ & UISTATE_HOT) != 0 && !selectedHotImage_.empty()) image = selectedHotImage_;
    if (!IsEnabled() && !disabledImage_.empty()) image = disabledImage_;
    if (!image.empty() && DrawImage(cr, image)) {
      if (!selectedForeImage_.empty()) DrawImage(cr, selectedForeImage_);
      return;
    }
  }
  CButtonUI::PaintStatusImage(cr);
}

UiColor COptionUI::CurrentTextColor() const {
  if (selected_ && IsEnabled() && selectedTextColor_ != 0) return selectedTextColor_;
  return CButtonUI::CurrentTextColor();
}

void COptionUI::SetAttribute(const std::string& name, const std::string& value) {
  const std::string key = ToLowerAscii(name);
  if (key == "group") SetGroup(value);
  else if (key == "selected") Selected(ParseBool(value), false);
  else if (key == "selectedimage") SetSelectedImage(value);
  else if (key == "selectedhotimage") SetSelectedHotImage(value);
  else if (key == "selectedpushedimage") selectedPushedImage_ = value;
  else if (key == "selectedforeimage") selectedForeImage_ = value;
  else if (key == "selectedbkcolor") SetSelectedBkColor(ParseColor(value));
  else if (key == "selectedtextcolor") SetSelectedTextColor(ParseColor(value));
  else CButtonUI::SetAttribute(name, value);
}

std::string CCheckBoxUI::GetClass() const { return "CheckBoxUI"; }

void* CCheckBoxUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "CheckBox")) return this;
  return COptionUI::GetInterface(name);
}

}  // namespace velmora::toolkit
