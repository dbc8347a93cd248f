#include "toolkit/ui_string.h"

#include <cctype>
#include <cstdlib>

namespace velmora::toolkit {
namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view Trim(std::string_view v) {
  while (!v.empty() && std::isspace(static_cast<unsigned char>(v.front()))) v.remove_prefix(1);
  while (!v.empty() && std::isspace(static_cast<unsigned char>(v.back()))) v.remove_suffix(1);
  return v;
}

// Reads a decimal integer at the start of v, skipping leading blanks; advances v past it.
bool ReadInt(std::string_view& v, int& out) {
  v = Trim(v);
  size_t i = 0;
  bool negative = false;
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) negative = v[i++] == '-';
  size_t digitsStart = i;
  long long value = 0;
  while (i < v.size() && std::isdigit(static_cast<unsigned char>(v[i]))) {
    if (value < 0x7FFFFFFF) value = value * 10 + (v[i] - '0');
    ++i;
  }
  if (value > 0x7FFFFFFF) value = 0x7FFFFFFF;
  out = static_cast<int>(negative ? -value : value);
  v.remove_prefix(i);
  return i > digitsStart;
}

}  // namespace

std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool ParseBool(std::string_view value) {
  value = Trim(value);
  return EqualsNoCase(value, "true") || value == "1";
}

int ParseInt(std::string_view value) {
  int out = 0;
  ReadInt(value, out);
  return out;
}

UiColor ParseColor(std::string_view value) {
  value = Trim(value);
  if (!value.empty() && value.front() == '#') {
    value.remove_prefix(1);
  } else if (StartsWithNoCase(value, "0x")) {
    value.remove_prefix(2);
  }
  uint32_t color = 0;
  size_t digits = 0;
  for (char c : value) {
    int nibble;
    if (c >= '0' && c <= '9') nibble = c - '0';
    else if (c >= 'a' && c <= 'f') nibble = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') nibble = c - 'A' + 10;
    else break;
    color = (color << 4) | static_cast<uint32_t>(nibble);
    if (++digits == 8) break;
  }
  if (digits == 6) color |= 0xFF000000u;
  return color;
}

std::vector<int> ParseIntList(std::string_view value) {
  std::vector<int> out;
  while (true) {
    int number = 0;
    if (!ReadInt(value, number)) break;
    out.push_back(number);
    value = Trim(value);
    if (value.empty() || value.front() != ',') break;
    value.remove_prefix(1);
  }
  return out;
}

UiRect ParseRect(std::string_view value) {
  std::vector<int> v = ParseIntList(value);
  v.resize(4, 0);
  return {v[0], v[1], v[2], v[3]};
}

UiSize ParseSize(std::string_view value) {
  std::vector<int> v = ParseIntList(value);
  v.resize(2, 0);
  return {v[0], v[1]};
}

bool ParseAttributeList(std::string_view text, std::vector<std::pair<std::string, std::string>>& out) {
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  };
  while (true) {
    skipBlanks();
    if (i >= text.size()) return true;
    size_t nameStart = i;
    while (i < text.size() && text[i] != '=' && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    std::string name(text.substr(nameStart, i - nameStart));
    skipBlanks();
    if (name.empty() || i >= text.size() || text[i] != '=') return false;
    ++i;
    skipBlanks();
    if (i >= text.size() || (text[i] != '"' && text[i] != '\'')) return false;
    char quote = text[i++];
    size_t valueEnd = text.find(quote, i);
    if (valueEnd == std::string_view::npos) return false;
    out.emplace_back(std::move(name), std::string(text.substr(i, valueEnd - i)));
    i = valueEnd + 1;
  }
}

size_t Utf8NextBoundary(std::string_view text, size_t offset) {
  if (offset >= text.size()) return text.size();
  ++offset;
  while (offset < text.size() && (static_cast<unsigned char>(text[offset]) & 0xC0) == 0x80) ++offset;
  return offset;
}

size_t Utf8PrevBoundary(std::string_view text, size_t offset) {
  if (offset > text.size()) offset = text.size();
  if (offset == 0) return 0;
  --offset;
  while (offset > 0 && (static_cast<unsigned char>(text[offset]) & 0xC0) == 0x80) --offset;
  return offset;
}

size_t Utf8Length(std::string_view text) {
  size_t count = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) ++count;
  }
  return count;
}

size_t Utf8OffsetOfChar(std::string_view text, size_t charIndex) {
  size_t offset = 0;
  while (charIndex-- > 0 && offset < text.size()) offset = Utf8NextBoundary(text, offset);
  return offset;
}

}  // namespace velmora::toolkit
