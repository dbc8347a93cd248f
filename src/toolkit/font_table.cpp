#include "toolkit/font_table.h"

#include <pango/pango.h>

#include <cstdint>

namespace velmora::toolkit {
namespace {

constexpr int kDefaultKey = -0x7FFFFFFF;

struct SharedFonts {
  std::map<int, TFontInfo> fonts;
  TFontInfo defaultFont;
  bool hasDefault = false;
  uint64_t generation = 0;  // bumped on every change, so each table drops stale caches
};

SharedFonts& Shared() {
  static SharedFonts shared;
  return shared;
}

TFontInfo BuiltInDefault() {
  TFontInfo font;
  font.face = kFallbackFaces;
  font.size = 12;
  return font;
}

}  // namespace

FontTable::FontTable() : ownDefault_(BuiltInDefault()) {}

FontTable::~FontTable() { ResetCache(); }

void FontTable::AddFont(int id, const TFontInfo& font) {
  if (font.shared) {
    Shared().fonts[id] = font;
    ++Shared().generation;
  } else {
    own_[id] = font;
  }
  ResetCache();
}

void FontTable::SetDefaultFont(const TFontInfo& font) {
  if (font.shared) {
    Shared().defaultFont = font;
    Shared().hasDefault = true;
    ++Shared().generation;
  } else {
    ownDefault_ = font;
    hasOwnDefault_ = true;
  }
  ResetCache();
}

const TFontInfo& FontTable::GetDefaultFontInfo() const {
  if (hasOwnDefault_) return ownDefault_;
  if (Shared().hasDefault) return Shared().defaultFont;
  return ownDefault_;
}

const TFontInfo& FontTable::GetFontInfo(int id) const {
  auto own = own_.find(id);
  if (own != own_.end()) return own->second;
  auto shared = Shared().fonts.find(id);
  if (shared != Shared().fonts.end()) return shared->second;
  return GetDefaultFontInfo();
}

bool FontTable::HasFont(int id) const { return own_.count(id) != 0 || Shared().fonts.count(id) != 0; }

void FontTable::RemoveAllFonts(bool shared) {
  if (shared) {
    Shared().fonts.clear();
    Shared().hasDefault = false;
    ++Shared().generation;
  } else {
    own_.clear();
    hasOwnDefault_ = false;
    ownDefault_ = BuiltInDefault();
  }
  ResetCache();
}

PangoFontDescription* FontTable::Describe(int id, int dpi) {
  if (dpi != cacheDpi_ || Shared().generation != cacheGeneration_) {
    ResetCache();
    cacheDpi_ = dpi;
    cacheGeneration_ = Shared().generation;
  }
  const int key = (id < 0 || !HasFont(id)) ? kDefaultKey : id;
  auto cached = cache_.find(key);
  if (cached != cache_.end()) return cached->second;
  const TFontInfo& info = key == kDefaultKey ? GetDefaultFontInfo() : GetFontInfo(id);
  PangoFontDescription* description = pango_font_description_new();
  std::string families = info.face.empty() ? std::string(kFallbackFaces) : info.face + ", " + kFallbackFaces;
  pango_font_description_set_family(description, families.c_str());
  const double pixels = static_cast<double>(info.size) * dpi / 96.0;
  pango_font_description_set_absolute_size(description, pixels * PANGO_SCALE);
  pango_font_description_set_weight(description, info.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(description, info.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  cache_[key] = description;
  return description;
}

void FontTable::ResetCache() {
  for (auto& [key, description] : cache_) pango_font_description_free(description);
  cache_.clear();
}

void FontTable::ResetSharedFonts() {
  Shared().fonts.clear();
  Shared().hasDefault = false;
  ++Shared().generation;
}

}  // namespace velmora::toolkit
