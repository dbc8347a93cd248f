#pragma once

// Text helpers used by the toolkit: ASCII case folding for control names, attribute value
// parsing and UTF-8 character stepping.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolkit/ui_types.h"

namespace velmora::toolkit {

std::string ToLowerAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// Attribute values. Numbers accept an optional sign; malformed parts read as 0.
bool ParseBool(std::string_view value);                 // "true" (any case) or "1"
int ParseInt(std::string_view value);
// "#AARRGGBB", "#RRGGBB" (opaque), "0xAARRGGBB" or plain hexadecimal digits.
UiColor ParseColor(std::string_view value);
UiRect ParseRect(std::string_view value);               // "l,t,r,b"
UiSize ParseSize(std::string_view value);               // "cx,cy"
// Splits "a,b,c" into integers; missing fields are absent.
std::vector<int> ParseIntList(std::string_view value);

// Parses an attribute list such as `name="a" text='b c'` into pairs (both quote kinds).
// Returns false when the text is malformed; the pairs read up to the fault are kept.
bool ParseAttributeList(std::string_view text, std::vector<std::pair<std::string, std::string>>& out);

// UTF-8 stepping on byte offsets; offsets always land on character boundaries.
size_t Utf8Length(std::string_view text);
size_t Utf8NextBoundary(std::string_view text, size_t offset);
size_t Utf8PrevBoundary(std::string_view text, size_t offset);
// Byte offset of the character with the given index (text size when past the end).
size_t Utf8OffsetOfChar(std::string_view text, size_t charIndex);

}  // namespace velmora::toolkit
