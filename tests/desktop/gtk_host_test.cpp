#include "toolkit/gtk_host.h"

#include <gtk/gtk.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "gtk_test_host.h"
#include "toolkit/gtk_file_dialog.h"

namespace velmora::toolkit {
namespace {

// What the file dialog showed, and how the simulated user answers it.
struct DialogVisit {
  std::function<void(GtkFileChooser*)> answer;  // runs on the open dialog, then the dialog is closed
  bool accept = false;
  bool seen = false;
  int waits = 0;
  std::vector<std::string> filterNames;
  std::vector<bool> upperCaseJsonShown;  // per filter: is "PROFILE.JSON" offered
  std::string currentName;
  std::string currentFolder;
};

GtkFileChooser* OpenFileChooser() {
  GtkFileChooser* found = nullptr;
  GList* windows = gtk_window_list_toplevels();
  for (GList* item = windows; item != nullptr; item = item->next) {
    if (GTK_IS_FILE_CHOOSER_DIALOG(item->data) && gtk_widget_get_visible(GTK_WIDGET(item->data)))
      found = GTK_FILE_CHOOSER(item->data);
  }
  g_list_free(windows);
  return found;
}

bool Shows(GtkFileFilter* filter, const char* name) {
  GtkFileFilterInfo info{};
  info.contains = GTK_FILE_FILTER_DISPLAY_NAME;
  info.display_name = name;
  return gtk_file_filter_filter(filter, &info);
}

// Polls the main loop (which the modal dialog runs) for the dialog, records it and answers.
gboolean AnswerDialog(gpointer data) {
  auto* visit = static_cast<DialogVisit*>(data);
  GtkFileChooser* chooser = OpenFileChooser();
  if (chooser == nullptr || !gtk_widget_get_mapped(GTK_WIDGET(chooser))) return G_SOURCE_CONTINUE;
  // The chooser loads its folder in the background; answer once it has (or after two seconds).
  gchar* loaded = gtk_file_chooser_get_current_folder(chooser);
  g_free(loaded);
  if (loaded == nullptr && ++visit->waits < 100) return G_SOURCE_CONTINUE;
  visit->seen = true;
  GSList* filters = gtk_file_chooser_list_filters(chooser);
  for (GSList* item = filters; item != nullptr; item = item->next) {
    visit->filterNames.emplace_back(gtk_file_filter_get_name(GTK_FILE_FILTER(item->data)));
    visit->upperCaseJsonShown.push_back(Shows(GTK_FILE_FILTER(item->data), "PROFILE.JSON"));
  }
  g_slist_free(filters);
  if (gtk_file_chooser_get_action(chooser) == GTK_FILE_CHOOSER_ACTION_SAVE) {
    gchar* name = gtk_file_chooser_get_current_name(chooser);
    visit->currentName = name ? name : "";
    g_free(name);
  }
  if (gchar* folder = gtk_file_chooser_get_current_folder(chooser)) {
    visit->currentFolder = folder;
    g_free(folder);
  }
  if (visit->answer) visit->answer(chooser);
  // The dialog checks an accepted name itself, so acceptance goes through its own button.
  if (visit->accept) {
    gtk_button_clicked(GTK_BUTTON(gtk_dialog_get_widget_for_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT)));
  } else {
    gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_CANCEL);
  }
  return G_SOURCE_REMOVE;
}

class GtkHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = testing::TestGtkHost();
    ASSERT_NE(host_, nullptr);
    char pattern[] = "/tmp/velmora-gtk-host-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // Runs a dialog on the test folder while AnswerDialog plays the user.
  bool ShowDialog(FileDialogKind kind, const std::string& filter, const std::string& initialName,
                  DialogVisit& visit, std::string& path) {
    FileDialogOptions options;
    options.filter = filter;
    options.initialFolder = folder_;
    options.initialName = initialName;
    guint poll = g_timeout_add(20, AnswerDialog, &visit);
    bool chosen = kind == FileDialogKind::Save ? host_->SaveFileDialog(nullptr, options, path)
                                               : host_->OpenFileDialog(nullptr, options, path);
    if (!visit.seen) g_source_remove(poll);  // once it has answered, the poll has removed itself
    return chosen;
  }

  GtkHost* host_ = nullptr;
  std::string folder_;
};

TEST_F(GtkHostTest, SaveDialogOffersTheFiltersAndReturnsTheChosenPath) {
  DialogVisit visit;
  visit.accept = true;
  visit.answer = [](GtkFileChooser* chooser) { gtk_file_chooser_set_current_name(chooser, "export.json"); };
  std::string path = "unchanged";
  EXPECT_TRUE(ShowDialog(FileDialogKind::Save, "Profile Files(*.json)|*.json;|All files (*.*)|*.*||", "profile.json",
                         visit, path));
  ASSERT_TRUE(visit.seen);
  EXPECT_EQ(visit.filterNames, (std::vector<std::string>{"Profile Files(*.json)", "All files (*.*)"}));
  EXPECT_EQ(visit.upperCaseJsonShown, (std::vector<bool>{true, true}));
  EXPECT_EQ(visit.currentName, "profile.json");
  EXPECT_EQ(visit.currentFolder, folder_);
  EXPECT_EQ(path, folder_ + "/export.json");
}

TEST_F(GtkHostTest, CancelledDialogLeavesThePathAndAPatternIsNoInitialName) {
  DialogVisit visit;
  std::string path = "unchanged";
  EXPECT_FALSE(ShowDialog(FileDialogKind::Save, "(*.png) | *.png |(*.*)|*.*||", "*.png", visit, path));
  ASSERT_TRUE(visit.seen);
  EXPECT_EQ(visit.filterNames, (std::vector<std::string>{"(*.png)", "(*.*)"}));
  EXPECT_EQ(visit.upperCaseJsonShown, (std::vector<bool>{false, true}));
  EXPECT_EQ(visit.currentName, "");
  EXPECT_EQ(path, "unchanged");
}

TEST_F(GtkHostTest, OpenDialogStartsInTheInitialFolder) {
  DialogVisit visit;
  std::string path;
  EXPECT_FALSE(ShowDialog(FileDialogKind::Open, "Macro Files(*.mac)|*.mac;", "", visit, path));
  ASSERT_TRUE(visit.seen);
  EXPECT_EQ(visit.filterNames, std::vector<std::string>{"Macro Files(*.mac)"});
  EXPECT_EQ(visit.currentFolder, folder_);
}

TEST_F(GtkHostTest, ClipboardKeepsUnicodeText) {
  host_->SetClipboardText("Profil 1 · 中文 ไทย");
  EXPECT_EQ(host_->ClipboardText(), "Profil 1 · 中文 ไทย");
  host_->SetClipboardText("");
  EXPECT_EQ(host_->ClipboardText(), "");
}

TEST_F(GtkHostTest, ScreenMetricsOfTheTestDisplay) {
  HostRect area = host_->ScreenWorkArea();
  EXPECT_EQ(area.left, 0);
  EXPECT_EQ(area.top, 0);
  EXPECT_EQ(area.Width(), 1280);
  EXPECT_EQ(area.Height(), 800);
  EXPECT_EQ(host_->ScreenDpi(), 96);
}

TEST_F(GtkHostTest, TrayIconNeedsASessionBus) {
  const char* saved = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  std::string restore = saved ? saved : "";
  unsetenv("DBUS_SESSION_BUS_ADDRESS");
  std::string runtime = folder_;  // an XDG runtime folder without a bus socket
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  EXPECT_EQ(host_->CreateTrayIcon(folder_ + "/icon.png", "tip", {}), nullptr);
  if (saved) setenv("DBUS_SESSION_BUS_ADDRESS", restore.c_str(), 1);
}

}  // namespace
}  // namespace velmora::toolkit
