#pragma once

// A throw-away skin folder for tests: files written under a fresh temporary folder that
// becomes the toolkit's resource path, and PNG images drawn on the spot.

#include <cairo.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "toolkit/font_table.h"
#include "toolkit/image_cache.h"
#include "toolkit/paint_manager.h"
#include "toolkit/resource_manager.h"

namespace velmora::toolkit::testing {

class SkinFolder {
 public:
  SkinFolder() {
    std::string pattern = std::filesystem::temp_directory_path().string() + "/velmora-skin-XXXXXX";
    path_ = mkdtemp(pattern.data());
    CPaintManagerUI::SetResourcePath(path_);
  }
  ~SkinFolder() {
    CPaintManagerUI::SetResourcePath(std::string());
    CResourceManager::GetInstance().Release();
    ImageCache::Instance().Clear();
    FontTable::ResetSharedFonts();
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  SkinFolder(const SkinFolder&) = delete;
  SkinFolder& operator=(const SkinFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

  void Write(const std::string& name, const std::string& content) const {
    std::filesystem::create_directories(std::filesystem::path(File(name)).parent_path());
    std::ofstream(File(name), std::ios::binary) << content;
  }
  // A PNG of one colour (ARGB, not premultiplied: only opaque colours are used).
  void WriteSolidPng(const std::string& name, int width, int height, uint32_t argb) const {
    std::filesystem::create_directories(std::filesystem::path(File(name)).parent_path());
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgba(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0, (argb & 0xFF) / 255.0,
                          ((argb >> 24) & 0xFF) / 255.0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_write_to_png(surface, File(name).c_str());
    cairo_surface_destroy(surface);
  }
  // A square PNG: a frame of width edge in one colour around a centre of another.
  void WriteFramedPng(const std::string& name, int size, int edge, uint32_t frame, uint32_t centre) const {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    auto set = [cr](uint32_t c) {
      cairo_set_source_rgb(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
    };
    set(frame);
    cairo_paint(cr);
    set(centre);
    cairo_rectangle(cr, edge, edge, size - 2 * edge, size - 2 * edge);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_write_to_png(surface, File(name).c_str());
    cairo_surface_destroy(surface);
  }
  // A PNG whose left half is one colour and right half another.
  void WriteSplitPng(const std::string& name, int width, int height, uint32_t left, uint32_t right) const {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    auto set = [cr](uint32_t c) {
      cairo_set_source_rgb(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
    };
    set(left);
    cairo_rectangle(cr, 0, 0, width / 2, height);
    cairo_fill(cr);
    set(right);
    cairo_rectangle(cr, width / 2, 0, width - width / 2, height);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_write_to_png(surface, File(name).c_str());
    cairo_surface_destroy(surface);
  }

 private:
  std::string path_;
};

}  // namespace velmora::toolkit::testing
