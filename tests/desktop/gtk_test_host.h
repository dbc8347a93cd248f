#pragma once

// The one GTK host of a test program, on a private Xvfb display.

#include "toolkit/gtk_host.h"

namespace velmora::testing {

// Null when no display could be opened.
toolkit::GtkHost* TestGtkHost();

}  // namespace velmora::testing
