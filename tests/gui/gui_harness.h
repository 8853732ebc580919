// Starts the real program in this process and waits for what the screen does.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/startup.h"

namespace zuno::testing {

struct Rect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

void RecordToolkitWarning(const std::string& message);
std::vector<std::string> TakeToolkitWarnings();

// Runs the main loop until done() holds or the time is up; returns done().
bool RunUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// Runs the main loop for a while, for checks that something does not happen.
void RunFor(int ms);

// Runs the main loop until the widget has been drawn once more.
bool WaitForDraw(GtkWidget* widget, int timeoutMs = 5000);

// The program as start-up leaves it, with its Main Window drawn.
std::unique_ptr<Program> StartAndShow();

// The widget's allocation, x and y in its parent window's coordinates.
Rect AllocationOf(GtkWidget* w);
// Where the widget stands in its window's client area (the window's child).
Rect PlaceInWindow(GtkWidget* w);

// Counts, in runs, every Run Statement the program's dispatch starts (the
// Run button, a timer tick) before it runs as usual.
void CountStatementRuns(Program& p, int& runs);

// Answers every message box that opens, with OK, and keeps its text and the
// time it was seen (monotonic microseconds). Input dialogs get the next of
// inputs typed into their entry, then OK.
class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer();
  ~MessageBoxAnswerer();
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  std::vector<std::string> texts;
  std::vector<gint64> seenAt;
  std::vector<std::string> inputs;         // answers still to give
  std::vector<std::string> presets;        // what each input dialog's entry held

 private:
  static gboolean Poll(gpointer self);
  guint source_;
};

}  // namespace zuno::testing
