#include "toolkit/gtk_file_dialog.h"

#include "toolkit/gtk_file_filter.h"

namespace velmora::toolkit {

namespace {

void AddFilters(GtkFileChooser* chooser, const std::string& filter) {
  for (const FileFilterEntry& entry : ParseFileFilter(filter)) {
    GtkFileFilter* gtkFilter = gtk_file_filter_new();
    gtk_file_filter_set_name(gtkFilter, entry.description.c_str());
    for (const std::string& pattern : entry.patterns)
      gtk_file_filter_add_pattern(gtkFilter, CaseInsensitiveGlob(pattern).c_str());
    gtk_file_chooser_add_filter(chooser, gtkFilter);  // the chooser takes the floating reference
  }
}

// Windows takes an initial name such as "*.png" as a pattern, not as a file name; such a
// name is not put into the name field.
bool IsPlainName(const std::string& name) {
  return !name.empty() && name.find_first_of("*?") == std::string::npos;
}

void ApplyStartPoint(GtkFileChooser* chooser, FileDialogKind kind, const FileDialogOptions& options) {
  if (!options.initialFolder.empty()) gtk_file_chooser_set_current_folder(chooser, options.initialFolder.c_str());
  if (kind == FileDialogKind::Save && IsPlainName(options.initialName))
    gtk_file_chooser_set_current_name(chooser, options.initialName.c_str());
}

}  // namespace

bool RunFileDialog(GtkWindow* owner, FileDialogKind kind, const FileDialogOptions& options, std::string& path) {
  bool save = kind == FileDialogKind::Save;
  const char* title = !options.title.empty() ? options.title.c_str() : (save ? "Save" : "Open");
  GtkWidget* dialog = gtk_file_chooser_dialog_new(title, owner, save ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN,
                                                  "_Cancel", GTK_RESPONSE_CANCEL, save ? "_Save" : "_Open",
                                                  GTK_RESPONSE_ACCEPT, nullptr);
  GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
  gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
  gtk_file_chooser_set_local_only(chooser, TRUE);
  AddFilters(chooser, options.filter);
  ApplyStartPoint(chooser, kind, options);
  bool accepted = gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT;
  if (accepted) {
    gchar* chosen = gtk_file_chooser_get_filename(chooser);
    accepted = chosen != nullptr;
    if (chosen) path = chosen;
    g_free(chosen);
  }
  gtk_widget_destroy(dialog);
  return accepted;
}

}  // namespace velmora::toolkit
