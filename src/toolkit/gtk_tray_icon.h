#pragma once

// The tray icon of the GTK host: a status-notifier item through libayatana-appindicator3 when
// the build has it. Such an item always opens a menu, so the menu offers the two things the
// owner reacts to: showing the window and the owner's own context menu.

#include <memory>
#include <string>

#include "toolkit/host.h"

namespace velmora::toolkit {

// Null when the build has no indicator library or the session has no message bus to reach a
// tray with (the program then runs without a tray icon).
std::unique_ptr<HostTrayIcon> CreateGtkTrayIcon(const std::string& iconPath, const std::string& tooltip,
                                                HostTrayCallbacks callbacks);

// Whether a session message bus can be reached without starting one.
bool HasSessionBus();

}  // namespace velmora::toolkit
