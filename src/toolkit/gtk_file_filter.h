#pragma once

// Turns the Windows-style filter strings of the file dialogs into GTK file-chooser filters.

#include <string>
#include <string_view>
#include <vector>

namespace velmora::toolkit {

struct FileFilterEntry {
  std::string description;
  std::vector<std::string> patterns;  // globs such as "*.json"
  bool operator==(const FileFilterEntry&) const = default;
};

// Parses "Desc|*.a;*.b|Desc2|*.c||": pairs of description and ';'-separated patterns joined
// by '|'. Blanks around each part are dropped, empty patterns are skipped and a pair without
// any pattern is left out. As on Windows, the list ends at the first empty description (the
// "||" that closes the Windows form).
std::vector<FileFilterEntry> ParseFileFilter(std::string_view filter);

// Windows matches patterns without regard to case; GTK 3 globs do not. "*.json" becomes
// "*.[jJ][sS][oO][nN]", so "A.JSON" is offered too.
std::string CaseInsensitiveGlob(std::string_view pattern);

}  // namespace velmora::toolkit
