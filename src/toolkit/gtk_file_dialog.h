#pragma once

// Modal open and save dialogs of the GTK host.

#include <gtk/gtk.h>

#include <string>

#include "toolkit/host.h"

namespace velmora::toolkit {

enum class FileDialogKind { Open, Save };

// Runs the dialog in a nested main loop; true with the chosen path, false when cancelled.
bool RunFileDialog(GtkWindow* owner, FileDialogKind kind, const FileDialogOptions& options, std::string& path);

}  // namespace velmora::toolkit
