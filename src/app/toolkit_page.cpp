#include "app/toolkit_page.h"

#include "toolkit/container.h"
#include "toolkit/control.h"
#include "toolkit/option.h"
#include "toolkit/progress.h"
#include "toolkit/tab_layout.h"

namespace velmora::app {

// One toolkit control as a page control. Option, progress and tab-layout operations do
// nothing on controls of other kinds.
class ToolkitPage::Control : public devices::PageControl {
 public:
  Control(ToolkitPage& page, toolkit::CControlUI* control) : page_(page), control_(control) {}

  std::string GetName() const override { return control_->GetName(); }
  std::string GetClass() const override { return control_->GetClass(); }

  std::vector<devices::PageControl*> GetChildren() const override {
    std::vector<devices::PageControl*> children;
    auto* container = As<toolkit::CContainerUI>("Container");
    if (container == nullptr) return children;
    for (int i = 0; i < container->GetCount(); ++i) {
      children.push_back(page_.Wrap(container->GetItemAt(i)));
    }
    return children;
  }

  void SetBkColor(uint32_t argb) override { control_->SetBkColor(argb); }
  void SetText(const std::string& text) override { control_->SetText(text); }
  std::string GetText() const override { return control_->GetText(); }
  void SetToolTip(const std::string& text) override { control_->SetToolTip(text); }
  void SetVisible(bool visible) override { control_->SetVisible(visible); }
  bool IsVisible() const override { return control_->IsVisible(); }
  void SetEnabled(bool enabled) override { control_->SetEnabled(enabled); }

  // Device pages set options and sliders without raising change notifications.
  void SetCheck(bool checked) override {
    if (auto* option = As<toolkit::COptionUI>("Option")) option->Selected(checked, false);
  }
  void SetValue(int value) override {
    if (auto* progress = As<toolkit::CProgressUI>("Progress")) progress->SetValue(value);
  }
  bool SelectTabPage(int index) override {
    auto* tabs = As<toolkit::CTabLayoutUI>("TabLayout");
    return tabs != nullptr && tabs->SelectItem(index);
  }

 private:
  template <typename T>
  T* As(const char* interfaceName) const {
    return static_cast<T*>(control_->GetInterface(interfaceName));
  }

  ToolkitPage& page_;
  toolkit::CControlUI* control_;
};

ToolkitPage::ToolkitPage(toolkit::CControlUI* root) : root_(root) {}

ToolkitPage::~ToolkitPage() = default;

devices::PageControl* ToolkitPage::Wrap(toolkit::CControlUI* control) {
  if (control == nullptr) return nullptr;
  std::unique_ptr<Control>& wrapper = wrappers_[control];
  if (!wrapper) wrapper = std::make_unique<Control>(*this, control);
  return wrapper.get();
}

}  // namespace velmora::app
