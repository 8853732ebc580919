#include "windows/transaction_controls.h"

#include "base/clock.h"
#include "windows/control_values.h"

namespace zuno {
namespace {

constexpr int kOpenTimeTickMs = 1000;

}  // namespace

TransactionControls::TransactionControls(const ControlWidgets& widgets, gpointer reporter, std::function<void()> shown)
    : widgets_(widgets), reporter_(reporter), onShown_(std::move(shown)) {}

void TransactionControls::Show(const TransactionState& t, bool connected) {
  shown_ = t;
  // The box follows the state; only the user's own click reports.
  if (GtkWidget* box = widgets_.inner(kAutocommitCheckBox)) {
    g_signal_handlers_block_matched(box, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, reporter_);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(box), t.autocommit);
    g_signal_handlers_unblock_matched(box, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, reporter_);
  }
  const bool ends = connected && !t.autocommit;
  SetControlEnabled(widgets_, kCommitButton, ends);
  SetControlEnabled(widgets_, kRollbackButton, ends);
  ShowText();
  if (!t.autocommit && t.Open()) {
    if (!ticking_.running()) ticking_.Start(kOpenTimeTickMs, [this] { ShowText(); });
  } else {
    ticking_.Stop();
  }
}

void TransactionControls::ShowText() {
  const std::string text = TransactionIndicatorText(shown_, NowMilliseconds());
  SetControlText(widgets_, kTransactionText, text);
  gtk_widget_set_tooltip_text(widgets_.outer(kTransactionText), text.empty() ? nullptr : text.c_str());
  if (onShown_) onShown_();
}

}  // namespace zuno
