#pragma once

// The lines the gallery prints, one per event, for people and for the desktop smoke test.

#include <string>

#include "toolkit/control.h"
#include "toolkit/ui_notify.h"

namespace velmora::gallery {

// "notify click sender=gallery_button wparam=0 lparam=0"
std::string NotificationLine(const toolkit::TNotifyUI& msg);

// "layout gallery_button 16 96 176 132": a named control's rectangle in window pixels, so a
// test can click it wherever the layout puts it.
std::string LayoutLine(const toolkit::CControlUI& control);

}  // namespace velmora::gallery
