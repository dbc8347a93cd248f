#pragma once

// The small tag language of "showhtml" texts, turned into Pango markup:
//   <b>…</b> bold, <i>…</i> italic, <u>…</u> underline, <s>…</s> strike-through,
//   <c #RRGGBB>…</c> colour, <f id>…</f> font (kept as plain span), <a …>…</a> link
//   (underlined), <n> line break. Anything else is shown as written.

#include <string>

typedef struct _PangoLayout PangoLayout;

namespace velmora::toolkit {

// The Pango markup for text; always well-formed (unclosed tags are closed at the end).
std::string HtmlTextToMarkup(const std::string& text);
// Sets the layout's text from the tagged text; false when Pango refused the markup.
bool ApplyTextMarkup(PangoLayout* layout, const std::string& text);

}  // namespace velmora::toolkit
