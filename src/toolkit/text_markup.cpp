#include "toolkit/text_markup.h"

#include <pango/pango.h>

#include <vector>

#include "toolkit/ui_string.h"

namespace velmora::toolkit {
namespace {

std::string Escape(const std::string& text) {
  gchar* escaped = g_markup_escape_text(text.c_str(), static_cast<gssize>(text.size()));
  std::string out(escaped);
  g_free(escaped);
  return out;
}

// The opening Pango markup for a tag of ours and its closing counterpart; false when the
// tag is not ours.
bool TranslateOpenTag(const std::string& name, const std::string& argument, std::string& open, std::string& close) {
  if (name == "b" || name == "i" || name == "u" || name == "s") {
    open = "<" + name + ">";
    close = "</" + name + ">";
  } else if (name == "c") {
    const UiColor color = ParseColor(argument);
    char buffer[16];
    snprintf(buffer, sizeof buffer, "#%06X", color & 0xFFFFFF);
    open = std::string("<span foreground=\"") + buffer + "\">";
    close = "</span>";
  } else if (name == "f" || name == "p") {
    open = "<span>";
    close = "</span>";
  } else if (name == "a") {
    open = "<span underline=\"single\">";
    close = "</span>";
  } else {
    return false;
  }
  return true;
}

}  // namespace

std::string HtmlTextToMarkup(const std::string& text) {
  std::string out;
  struct Open {
    std::string name, close;
  };
  std::vector<Open> stack;
  size_t i = 0;
  while (i < text.size()) {
    const size_t tagStart = text.find('<', i);
    out += Escape(text.substr(i, tagStart == std::string::npos ? std::string::npos : tagStart - i));
    if (tagStart == std::string::npos) break;
    const size_t tagEnd = text.find('>', tagStart);
    if (tagEnd == std::string::npos) {
      out += Escape(text.substr(tagStart));
      break;
    }
    const std::string body = text.substr(tagStart + 1, tagEnd - tagStart - 1);
    const bool closing = !body.empty() && body[0] == '/';
    const std::string content = closing ? body.substr(1) : body;
    const size_t space = content.find(' ');
    const std::string name = ToLowerAscii(content.substr(0, space));
    const std::string argument = space == std::string::npos ? std::string() : content.substr(space + 1);
    std::string open, close;
    if (!closing && name == "n") {
      out += "\n";
    } else if (closing) {
      // Close up to and including the innermost matching tag; a stray closer is dropped.
      for (size_t k = stack.size(); k-- > 0;) {
        if (stack[k].name != name) continue;
        while (stack.size() > k) {
          out += stack.back().close;
          stack.pop_back();
        }
        break;
      }
    } else if (TranslateOpenTag(name, argument, open, close)) {
      out += open;
      stack.push_back({name, close});
    } else {
      out += Escape(text.substr(tagStart, tagEnd - tagStart + 1));
    }
    i = tagEnd + 1;
  }
  while (!stack.empty()) {
    out += stack.back().close;
    stack.pop_back();
  }
  return out;
}

bool ApplyTextMarkup(PangoLayout* layout, const std::string& text) {
  const std::string markup = HtmlTextToMarkup(text);
  if (!pango_parse_markup(markup.c_str(), -1, 0, nullptr, nullptr, nullptr, nullptr)) return false;
  pango_layout_set_markup(layout, markup.c_str(), -1);
  return true;
}

}  // namespace velmora::toolkit
