#pragma once

// Image strings as the layouts write them: either a bare file name or attributes in single
// quotes, e.g. "file='common/bk.png' source='0,0,20,20' corner='4,4,4,4' fade='128'".
//   file / res   the image (a skin path, an absolute path, or a res.xml image id)
//   source       the part of the image to draw (l,t,r,b in image pixels)
//   dest         where to draw it inside the control (l,t,r,b relative to its top-left)
//   corner       edges kept unscaled when the image is stretched (nine-part scaling)
//   fade         opacity 0..255
//   xtiled/ytiled repeat instead of stretching; hole skips the middle part

#include <string>

#include "toolkit/ui_types.h"

namespace velmora::toolkit {

struct TDrawInfo {
  std::string file;
  bool fromResource = false;   // given as res='…'
  UiRect source;               // empty: the whole image
  UiRect dest;                 // empty: the whole control
  UiRect corner;
  int fade = 255;
  bool hole = false;
  bool xtiled = false;
  bool ytiled = false;
};

// Parses the string into info; attributes already in info stay unless the string names
// them (so a modify string can be applied over a parsed image). False when malformed.
bool ParseImageString(const std::string& text, TDrawInfo& info);

}  // namespace velmora::toolkit
