// The GUI suite's entry: lists its tests without a display (test discovery at
// build time), otherwise starts GTK and fails any test during which GTK, GDK or
// GLib logged a warning or a critical.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "app/startup.h"
#include "tests/gui/gui_harness.h"
#include "tests/support/temp_dir.h"

namespace {

// A compositor without an input seat, as headless weston is, makes GDK ask a
// seat that is not there for its keyboard and pointer; any GTK program logs
// these there, so they are told apart by their text.
bool GdkWithoutSeat(const std::string& message) {
  static const GRegex* pattern = g_regex_new(
      "^(gdk_seat_get_(keyboard|pointer): assertion 'GDK_IS_SEAT \\(seat\\)'|"
      "gdk_device_get_(window_at_)?position(_double)?: assertion 'GDK_IS_DEVICE \\(device\\)') failed$",
      G_REGEX_OPTIMIZE, GRegexMatchFlags(0), nullptr);
  const char* desktop = std::getenv("ZUNO_DESKTOP");
  return desktop && std::strcmp(desktop, "wayland") == 0 && g_regex_match(pattern, message.c_str(), GRegexMatchFlags(0), nullptr);
}

GLogWriterOutput RecordWarnings(GLogLevelFlags level, const GLogField* fields, gsize n, gpointer) {
  if (level & (G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_ERROR)) {
    std::string message;
    for (gsize i = 0; i < n; ++i)
      if (std::strcmp(fields[i].key, "MESSAGE") == 0 && fields[i].length < 0)
        message = static_cast<const char*>(fields[i].value);
    if (!GdkWithoutSeat(message)) zuno::testing::RecordToolkitWarning(message);
  }
  return g_log_writer_default(level, fields, n, nullptr);
}

// The program keeps its editor state as the user types: each test gets a
// state folder of its own, so that none finds the text another left.
class OwnEditorState : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    folder_ = std::make_unique<zuno::testing::TempDir>();
    setenv("XDG_STATE_HOME", folder_->path().c_str(), 1);
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    unsetenv("XDG_STATE_HOME");
    folder_.reset();
  }
  std::unique_ptr<zuno::testing::TempDir> folder_;
};

class FailOnToolkitWarnings : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { zuno::testing::TakeToolkitWarnings(); }
  void OnTestEnd(const ::testing::TestInfo&) override {
    for (const std::string& w : zuno::testing::TakeToolkitWarnings())
      ADD_FAILURE() << "toolkit warning: " << w;
  }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();

  // Simulated input must go through the core pointer, and no accessibility
  // daemons may outlive the suite, unless the suite runs on a desktop of its
  // own (tests/desktop/session), whose accessibility bus ends with it.
  setenv("GDK_CORE_DEVICE_EVENTS", "1", 1);
  if (!std::getenv("ZUNO_DESKTOP")) setenv("NO_AT_BRIDGE", "1", 0);
  setenv("GTK_THEME", "Adwaita", 0);
  setenv("GSETTINGS_BACKEND", "memory", 0);
  g_log_set_writer_func(RecordWarnings, nullptr, nullptr);
  zuno::InitToolkit(&argc, &argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new OwnEditorState);
  ::testing::UnitTest::GetInstance()->listeners().Append(new FailOnToolkitWarnings);
  return RUN_ALL_TESTS();
}
