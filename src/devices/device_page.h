#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::devices {

// The handful of things device logic needs from a control of its page. The toolkit binds its
// controls to this interface with a thin adapter; tests use an in-memory tree.
class PageControl {
 public:
  virtual ~PageControl() = default;

  virtual std::string GetName() const = 0;
  // The control's class as the toolkit's class query answers it, e.g. "DeviceKeyButton".
  virtual std::string GetClass() const = 0;

  // The direct children, in layout order.
  virtual std::vector<PageControl*> GetChildren() const = 0;

  // 32-bit ARGB.
  virtual void SetBkColor(uint32_t argb) = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual std::string GetText() const = 0;
  virtual void SetToolTip(const std::string& text) = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool IsVisible() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  // Option and check controls.
  virtual void SetCheck(bool checked) = 0;
  // Sliders and progress controls.
  virtual void SetValue(int value) = 0;
  // Tab layouts: shows page index; false when the control has no such page.
  virtual bool SelectTabPage(int index) = 0;
};

// Depth-first search below root (root itself excluded); nullptr when absent. Control names
// compare without regard to ASCII case.
PageControl* FindChildByName(const PageControl& root, const std::string& name);
PageControl* FindChildByClass(const PageControl& root, const std::string& className);
// Every descendant of the class, in depth-first order.
std::vector<PageControl*> FindChildrenByClass(const PageControl& root,
                                              const std::string& className);

// Splits "prefix" + decimal number (e.g. "key_12"); -1 when name is not of that form.
int ParseIndexedName(const std::string& name, const std::string& prefix);

// The ARGB colour of a control from red, green, blue and an alpha.
constexpr uint32_t MakeArgb(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue) {
  return uint32_t{alpha} << 24 | uint32_t{red} << 16 | uint32_t{green} << 8 | blue;
}

}  // namespace velmora::devices
