#pragma once

// CColorPaletteUI: picks a colour. The upper area spans hue (left to right) and saturation
// (top to bottom) at the current brightness; the bar below sets the brightness. Every change
// made with the mouse sends "colorchanged".

#include "toolkit/control.h"

namespace velmora::toolkit {

class CColorPaletteUI : public CControlUI {
 public:
  CColorPaletteUI();
  ~CColorPaletteUI() override;
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  // The chosen colour as opaque ARGB.
  UiColor GetSelectColor() const;
  void SetSelectColor(UiColor color);
  int GetPalletHeight() const;
  int GetBarHeight() const;

  void DoEvent(TEventUI& event) override;
  void PaintBkImage(cairo_t* cr) override;
  void SetAttribute(const std::string& name, const std::string& value) override;

 private:
  enum class Region { None, Palette, Bar };
  UiRect PaletteRect() const;
  UiRect BarRect() const;
  void PickAt(UiPoint point);
  void RebuildSurfaces();

  double hue_ = 0, saturation_ = 1, brightness_ = 1;
  int palletHeight_ = 0;  // 0: all but the bar
  int barHeight_ = 14;
  Region dragging_ = Region::None;
  cairo_surface_t* palette_ = nullptr;
  cairo_surface_t* bar_ = nullptr;
  UiRect builtPalette_, builtBar_;
  double builtBrightness_ = -1, builtHue_ = -1, builtSaturation_ = -1;
};

// Colour model conversions (hue in degrees 0..360, saturation and brightness 0..1).
UiColor HsbToColor(double hue, double saturation, double brightness);
void ColorToHsb(UiColor color, double& hue, double& saturation, double& brightness);

}  // namespace velmora::toolkit
