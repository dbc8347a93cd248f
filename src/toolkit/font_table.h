#pragma once

// A window's fonts by id: face, pixel size and style, each either private to the window or
// shared by every window. A default font serves ids that are not defined.

#include <cstdint>
#include <map>
#include <string>

typedef struct _PangoFontDescription PangoFontDescription;

namespace velmora::toolkit {

struct TFontInfo {
  std::string face;
  int size = 12;  // pixel height at 96 DPI
  bool bold = false;
  bool underline = false;
  bool italic = false;
  bool shared = false;
};

// The face used when a font names none; the fallback chain covers Latin, CJK and Thai.
inline constexpr const char* kFallbackFaces = "DejaVu Sans, Noto Sans CJK SC, Noto Sans Thai, Loma";

class FontTable {
 public:
  FontTable();
  ~FontTable();
  FontTable(const FontTable&) = delete;
  FontTable& operator=(const FontTable&) = delete;

  void AddFont(int id, const TFontInfo& font);
  void SetDefaultFont(const TFontInfo& font);
  // The font with this id (own first, then shared); the default when there is none.
  const TFontInfo& GetFontInfo(int id) const;
  const TFontInfo& GetDefaultFontInfo() const;
  bool HasFont(int id) const;
  // Removes the window's own fonts, or the shared ones; the default returns to its initial value
  // when the removed set held it.
  void RemoveAllFonts(bool shared);

  // A Pango description of font id at dpi, cached until ResetCache.
  PangoFontDescription* Describe(int id, int dpi);
  void ResetCache();

  // Drops every shared font (for tests and shutdown).
  static void ResetSharedFonts();

 private:
  std::map<int, TFontInfo> own_;
  TFontInfo ownDefault_;
  bool hasOwnDefault_ = false;
  std::map<int, PangoFontDescription*> cache_;  // key: id (kDefaultKey for the default)
  int cacheDpi_ = 0;
  uint64_t cacheGeneration_ = 0;
};

}  // namespace velmora::toolkit
