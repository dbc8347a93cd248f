#pragma once

#include <memory>
#include <string>
#include <vector>

#include "devices/device_page.h"

namespace velmora::devices::testing {

// An in-memory control tree standing in for a device page.
class FakeControl : public PageControl {
 public:
  FakeControl(std::string name, std::string className)
      : name_(std::move(name)), class_(std::move(className)) {}

  FakeControl& Add(const std::string& name, const std::string& className) {
    children_.push_back(std::make_unique<FakeControl>(name, className));
    return *children_.back();
  }

  std::string GetName() const override { return name_; }
  std::string GetClass() const override { return class_; }
  std::vector<PageControl*> GetChildren() const override {
    std::vector<PageControl*> out;
    for (const auto& child : children_) out.push_back(child.get());
    return out;
  }
  void SetBkColor(uint32_t argb) override {
    bkColor = argb;
    ++paintCount;
  }
  void SetText(const std::string& value) override { text = value; }
  std::string GetText() const override { return text; }
  void SetToolTip(const std::string& value) override { toolTip = value; }
  void SetVisible(bool value) override { visible = value; }
  bool IsVisible() const override { return visible; }
  void SetEnabled(bool value) override { enabled = value; }
  void SetCheck(bool value) override { checked = value; }
  void SetValue(int value) override { this->value = value; }
  bool SelectTabPage(int index) override {
    if (index < 0 || index >= tabPages) return false;
    selectedTab = index;
    return true;
  }

  uint32_t bkColor = 0;
  int paintCount = 0;
  std::string text;
  std::string toolTip;
  bool visible = true;
  bool enabled = true;
  bool checked = false;
  int value = 0;
  int tabPages = 4;
  int selectedTab = -1;

 private:
  std::string name_;
  std::string class_;
  std::vector<std::unique_ptr<FakeControl>> children_;
};

}  // namespace velmora::devices::testing
