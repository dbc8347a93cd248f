#pragma once

// The gallery window: every control of the toolkit from gallery.xml. It prints each
// notification it receives and reacts to a few of them (caption buttons, tabs, the menu).

#include <cstdio>
#include <string>

#include "toolkit/window_impl_base.h"

namespace velmora::gallery {

class GalleryWindow : public toolkit::WindowImplBase {
 public:
  explicit GalleryWindow(std::FILE* out) : out_(out) {}

  std::string GetSkinFile() override { return "gallery.xml"; }
  std::string GetWindowClassName() const override { return "VelmoraGallery"; }
  void Notify(toolkit::TNotifyUI& msg) override;

 protected:
  void OnFinalMessage() override;

 private:
  void PrintLine(const std::string& line);
  void PrintLayout();
  void React(toolkit::TNotifyUI& msg);
  void SelectTab(int index);

  std::FILE* out_;
};

}  // namespace velmora::gallery
