// velmora-gallery: shows every control of the toolkit in one window and prints every
// notification, one line each, on standard output.
//
//   velmora-gallery [--host=gtk|headless] [--skin DIR] [--screenshot FILE.png]
//
// --screenshot renders the window once into the PNG file and exits (0 when written).

#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "gallery_window.h"
#include "toolkit/gtk_host.h"
#include "toolkit/headless_host.h"

namespace {

struct GalleryOptions {
  bool headless = false;
  std::string skinFolder = VELMORA_GALLERY_SKIN_DIR;
  std::string screenshot;
};

bool ParseOptions(int argc, char** argv, GalleryOptions& options) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--host=gtk") {
      options.headless = false;
    } else if (arg == "--host=headless") {
      options.headless = true;
    } else if ((arg == "--skin" || arg == "--screenshot") && i + 1 < argc) {
      (arg == "--skin" ? options.skinFolder : options.screenshot) = argv[++i];
    } else {
      std::fprintf(stderr, "usage: velmora-gallery [--host=gtk|headless] [--skin DIR] [--screenshot FILE.png]\n");
      return false;
    }
  }
  if (!options.skinFolder.empty() && options.skinFolder.back() != '/') options.skinFolder += '/';
  return true;
}

std::unique_ptr<velmora::toolkit::Host> MakeHost(bool headless) {
  if (headless) return std::make_unique<velmora::toolkit::HeadlessHost>();
  return velmora::toolkit::GtkHost::Create();
}

bool SaveScreenshot(velmora::toolkit::HostWindow& window, const std::string& path) {
  cairo_surface_t* surface = window.Snapshot();
  bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  GalleryOptions options;
  if (!ParseOptions(argc, argv, options)) return 2;
  std::unique_ptr<velmora::toolkit::Host> host = MakeHost(options.headless);
  if (!host) {
    std::fprintf(stderr, "velmora-gallery: cannot open a display\n");
    return 1;
  }
  velmora::toolkit::CPaintManagerUI::SetResourcePath(options.skinFolder);
  velmora::gallery::GalleryWindow window(stdout);
  if (!window.Create(*host, nullptr, "VELMORA gallery")) {
    std::fprintf(stderr, "velmora-gallery: cannot build %sgallery.xml\n", options.skinFolder.c_str());
    return 1;
  }
  window.CenterWindow();
  window.ShowWindow(true);
  if (!options.screenshot.empty()) {
    bool written = SaveScreenshot(*window.GetHWND(), options.screenshot);
    window.DestroyWindow();
    return written ? 0 : 1;
  }
  return host->Loop().Run();
}
