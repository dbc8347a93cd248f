#include "toolkit/gtk_file_filter.h"

#include <cctype>

namespace velmora::toolkit {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (true) {
    size_t end = text.find(separator, start);
    if (end == std::string_view::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

std::vector<std::string> SplitPatterns(std::string_view text) {
  std::vector<std::string> patterns;
  for (std::string_view part : Split(text, ';')) {
    part = Trim(part);
    if (!part.empty()) patterns.emplace_back(part);
  }
  return patterns;
}

}  // namespace

std::vector<FileFilterEntry> ParseFileFilter(std::string_view filter) {
  std::vector<FileFilterEntry> entries;
  std::vector<std::string_view> parts = Split(filter, '|');
  for (size_t i = 0; i < parts.size(); i += 2) {
    std::string_view description = Trim(parts[i]);
    std::string_view patternText = i + 1 < parts.size() ? Trim(parts[i + 1]) : std::string_view{};
    if (description.empty()) break;
    std::vector<std::string> patterns = SplitPatterns(patternText);
    if (patterns.empty()) continue;
    entries.push_back({std::string(description), std::move(patterns)});
  }
  return entries;
}

std::string CaseInsensitiveGlob(std::string_view pattern) {
  std::string glob;
  bool inBrackets = false;
  for (char c : pattern) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '[') inBrackets = true;
    if (c == ']') inBrackets = false;
    if (inBrackets || !std::isalpha(u)) {
      glob += c;
      continue;
    }
    glob += '[';
    glob += static_cast<char>(std::tolower(u));
    glob += static_cast<char>(std::toupper(u));
    glob += ']';
  }
  return glob;
}

}  // namespace velmora::toolkit
