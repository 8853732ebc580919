// The Main Window's transaction controls as the transaction stands: the
// "Autocommit" check box, Commit and Rollback usable while connected with
// autocommit off, and the Transaction text, whose open time counts on each
// second while a transaction is open.
#pragma once

#include <gtk/gtk.h>

#include <functional>

#include "session/transaction_state.h"
#include "windows/gtk_windows.h"
#include "windows/repeating_timer.h"

namespace zuno {

class TransactionControls {
 public:
  // The controls are the window's own; reporter is the data their "clicked"
  // handler was connected with, kept quiet while the check box follows the
  // state.
  // shown is called after each change of the text, the ticks included.
  TransactionControls(const ControlWidgets& widgets, gpointer reporter, std::function<void()> shown);
  TransactionControls(const TransactionControls&) = delete;
  TransactionControls& operator=(const TransactionControls&) = delete;

  void Show(const TransactionState& t, bool connected);
  const TransactionState& shown() const { return shown_; }

 private:
  void ShowText();

  const ControlWidgets& widgets_;
  gpointer reporter_;
  std::function<void()> onShown_;
  TransactionState shown_;
  RepeatingTimer ticking_;
};

}  // namespace zuno
