#include "windows/gtk_dialogs.h"

#include "base/gobject_ptr.h"
#include "windows/gtk_text.h"
#include "windows/gtk_windows.h"

namespace zuno {
namespace {

// Room in a title bar besides the title: its buttons and margins.
constexpr int kTitleBarRoom = 160;

// A title bar shortens a title wider than its window ("ZU… me"). A dialog is
// made at least as wide as its title in the title bar's bold type, with room
// for the title bar's buttons; its prompt, entry and buttons ask for the rest.
void FitTitle(GtkWidget* dialog) {
  int title = TitleTextWidth(dialog, gtk_window_get_title(GTK_WINDOW(dialog)));
  gtk_widget_set_size_request(dialog, title + kTitleBarRoom, -1);
}

GtkWidget* MessageDialog(GtkMessageType type, GtkButtonsType buttons) {
  GtkWidget* d = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, type, buttons, "%s", "");
  gtk_window_set_title(GTK_WINDOW(d), "ZUNO");
  gtk_window_set_position(GTK_WINDOW(d), GTK_WIN_POS_CENTER_ON_PARENT);
  return d;
}

// Runs what the toolkit has queued (draws, a dialog's last events) before the
// handler goes on.
void HandlePendingEvents() {
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

}  // namespace

GtkDialogs::GtkDialogs(GtkWindow* owner, std::function<GtkWindow*()> parent)
    : owner_(owner), parent_(std::move(parent)) {}

GtkDialogs::~GtkDialogs() {
  for (GtkWidget* d :
       {messageBox_, questionBox_, transactionBoxes_[0], transactionBoxes_[1], input_.dialog, fileChooser_})
    if (d) gtk_widget_destroy(d);
}

int GtkDialogs::Run(GtkWidget* d) {
  gtk_window_set_transient_for(GTK_WINDOW(d), parent_());
  FitTitle(d);
  gint response = gtk_dialog_run(GTK_DIALOG(d));
  gtk_widget_hide(d);
  HandlePendingEvents();
  return response;
}

void GtkDialogs::ShowMessage(std::string_view text) {
  if (!messageBox_) messageBox_ = MessageDialog(GTK_MESSAGE_OTHER, GTK_BUTTONS_OK);
  g_object_set(messageBox_, "text", ValidUtf8(text).c_str(), nullptr);
  Run(messageBox_);
}

bool GtkDialogs::AskYesNo(std::string_view question) {
  if (!questionBox_) questionBox_ = MessageDialog(GTK_MESSAGE_QUESTION, GTK_BUTTONS_YES_NO);
  g_object_set(questionBox_, "text", ValidUtf8(question).c_str(), nullptr);
  return Run(questionBox_) == GTK_RESPONSE_YES;
}

Ui::TransactionChoice GtkDialogs::AskTransactionEnd(std::string_view question, bool offerCancel) {
  enum { kCommit = 1, kRollBack = 2 };
  GtkWidget*& box = transactionBoxes_[offerCancel ? 1 : 0];
  if (!box) {
    box = MessageDialog(GTK_MESSAGE_QUESTION, GTK_BUTTONS_NONE);
    if (offerCancel) gtk_dialog_add_button(GTK_DIALOG(box), "Cancel", GTK_RESPONSE_CANCEL);
    gtk_dialog_add_button(GTK_DIALOG(box), "Roll back", kRollBack);
    gtk_dialog_add_button(GTK_DIALOG(box), "Commit", kCommit);
    // Enter never commits by accident.
    gtk_dialog_set_default_response(GTK_DIALOG(box), offerCancel ? static_cast<int>(GTK_RESPONSE_CANCEL) : kRollBack);
  }
  g_object_set(box, "text", ValidUtf8(question).c_str(), nullptr);
  switch (Run(box)) {
    case kCommit: return Ui::TransactionChoice::Commit;
    case kRollBack: return Ui::TransactionChoice::RollBack;
    default: return Ui::TransactionChoice::Keep;
  }
}

void GtkDialogs::BuildInputDialog() {
  input_.dialog = gtk_dialog_new_with_buttons("", owner_, GTK_DIALOG_MODAL, "OK", GTK_RESPONSE_OK, nullptr);
  gtk_window_set_position(GTK_WINDOW(input_.dialog), GTK_WIN_POS_CENTER_ON_PARENT);
  gtk_dialog_set_default_response(GTK_DIALOG(input_.dialog), GTK_RESPONSE_OK);
  GtkWidget* area = gtk_dialog_get_content_area(GTK_DIALOG(input_.dialog));
  input_.prompt = gtk_label_new("");
  gtk_label_set_xalign(GTK_LABEL(input_.prompt), 0.0f);
  input_.entry = gtk_entry_new();
  gtk_entry_set_activates_default(GTK_ENTRY(input_.entry), TRUE);  // Enter and keypad Enter
  gtk_box_pack_start(GTK_BOX(area), input_.prompt, FALSE, FALSE, 4);
  gtk_box_pack_start(GTK_BOX(area), input_.entry, FALSE, FALSE, 4);
  gtk_widget_show_all(area);
}

std::optional<std::string> GtkDialogs::AskText(std::string_view title, std::string_view prompt,
                                               std::string_view preset) {
  if (!input_.dialog) BuildInputDialog();
  gtk_window_set_title(GTK_WINDOW(input_.dialog), ValidUtf8(title).c_str());
  gtk_label_set_text(GTK_LABEL(input_.prompt), ValidUtf8(prompt).c_str());
  gtk_entry_set_text(GTK_ENTRY(input_.entry), ValidUtf8(preset).c_str());
  gtk_widget_grab_focus(input_.entry);
  gint response = Run(input_.dialog);
  if (response != GTK_RESPONSE_OK) return std::nullopt;  // closed without OK
  return gtk_entry_get_text(GTK_ENTRY(input_.entry));
}

namespace {

// The chooser's entry for the file's name: the one entry of its own type.
GtkWidget* FindNameEntry(GtkWidget* w) {
  if (GTK_IS_ENTRY(w) && std::string_view(G_OBJECT_TYPE_NAME(w)) == "GtkFileChooserEntry") return w;
  if (!GTK_IS_CONTAINER(w)) return nullptr;
  GList* children = gtk_container_get_children(GTK_CONTAINER(w));
  GtkWidget* found = nullptr;
  for (GList* c = children; c && !found; c = c->next) found = FindNameEntry(GTK_WIDGET(c->data));
  g_list_free(children);
  return found;
}

}  // namespace

void GtkDialogs::BuildFileChooser() {
  fileChooser_ = gtk_file_chooser_dialog_new("", owner_, GTK_FILE_CHOOSER_ACTION_SAVE, "_Cancel", GTK_RESPONSE_CANCEL,
                                             "_Save", GTK_RESPONSE_ACCEPT, nullptr);
  gtk_file_chooser_set_do_overwrite_confirmation(GTK_FILE_CHOOSER(fileChooser_), FALSE);
  // Both show every file; the type follows the name until the user picks one.
  for (GtkFileFilter*& filter : fileFilters_) {
    filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, &filter == &fileFilters_[0] ? "Report" : "CSV (RFC 4180)");
    gtk_file_filter_add_pattern(filter, "*");
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(fileChooser_), filter);  // the chooser owns it
  }
  g_signal_connect_swapped(fileChooser_, "notify::filter", G_CALLBACK(+[](GtkDialogs* self) {
                             if (!self->fileTypeByName_) self->fileTypePicked_ = true;
                           }),
                           this);
  if (GtkWidget* entry = FindNameEntry(fileChooser_))
    g_signal_connect_swapped(entry, "changed", G_CALLBACK(+[](GtkDialogs* self) { self->FollowFileName(); }), this);
}

void GtkDialogs::FollowFileName() {
  if (fileTypePicked_) return;
  GCharPtr name(gtk_file_chooser_get_current_name(GTK_FILE_CHOOSER(fileChooser_)));
  GtkFileFilter* filter = fileFilters_[SaveFileTypeOfName(name ? name.get() : "") == SaveFileType::Csv ? 1 : 0];
  if (gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(fileChooser_)) == filter) return;
  fileTypeByName_ = true;
  gtk_file_chooser_set_filter(GTK_FILE_CHOOSER(fileChooser_), filter);
  fileTypeByName_ = false;
}

std::optional<SaveChoice> GtkDialogs::ChooseSaveFile(std::string_view title, std::string_view suggestedName) {
  if (!fileChooser_) BuildFileChooser();
  gtk_window_set_title(GTK_WINDOW(fileChooser_), ValidUtf8(title).c_str());
  fileTypePicked_ = false;
  gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(fileChooser_), ValidUtf8(suggestedName).c_str());
  FollowFileName();
  std::optional<SaveChoice> choice;
  if (Run(fileChooser_) == GTK_RESPONSE_ACCEPT) {
    GCharPtr file(gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(fileChooser_)));
    const bool csv = gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(fileChooser_)) == fileFilters_[1];
    if (file) choice = SaveChoice{file.get(), csv ? SaveFileType::Csv : SaveFileType::Report, fileTypePicked_};
  }
  return choice;
}

}  // namespace zuno
