#include "app/dispatch.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include "app/editor_state_file.h"
#include "app/settings_file.h"
#include "base/unique_fd.h"
#include "tests/support/handler_harness.h"
#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using testing::HandlerHarness;
using testing::ReadFileBytes;
using testing::TempDir;

// Every handler slot records its name when called.
struct Recorder {
  std::vector<std::string> calls;
  std::function<void()> Slot(std::string name) {
    return [this, name] { calls.push_back(name); };
  }
  void WireAll(Handlers& h) {
    h.connect = Slot("connect");
    h.runStatement = Slot("run");
    h.runAtCursor = Slot("runAtCursor");
    h.runScript = Slot("runScript");
    h.catalog = Slot("catalog");
    h.creators = Slot("creators");
    h.lastCreator = Slot("lastCreator");
    h.editSql = Slot("editSql");
    h.formatSql = Slot("formatSql");
    h.saveReport = Slot("saveReport");
    h.openLibrary = Slot("openLibrary");
    h.gridDrillDown = Slot("drill");
    h.popupItem = [this](int item) { calls.push_back("popup" + std::to_string(item)); };
    h.librarySave = Slot("save");
    h.libraryLoad = Slot("load");
    h.libraryDelete = Slot("delete");
    h.columnChooserSelect = Slot("chooser");
    h.switchStore = Slot("switch");
    h.libraryExit = Slot("libraryExit");
    h.closeConnection = Slot("closeConnection");
  }
};

TEST(DispatchTest, MainWindowControlsReachTheirHandlers) {
  struct {
    Control control;
    Action action;
    const char* handler;  // nullptr: nothing happens
  } cases[] = {
      {kConnectButton, Action::LeftClick, "connect"},
      {kRunButton, Action::LeftClick, "run"},
      {kSqlEditor, Action::RunAtCursor, "runAtCursor"},
      {kSqlEditor, Action::RunScript, "runScript"},
      {kSqlEditor, Action::LeftClick, nullptr},
      {kCatalogButton, Action::LeftClick, "catalog"},
      {kCreatorsButton, Action::LeftClick, "creators"},
      {kLastCreatorButton, Action::LeftClick, "lastCreator"},
      {kEditSqlButton, Action::LeftClick, "editSql"},
      {kFormatSqlButton, Action::LeftClick, "formatSql"},
      {kSaveReportButton, Action::LeftClick, "saveReport"},
      {kSaveLoadQueryButton, Action::LeftClick, "openLibrary"},
      {kResultGrid, Action::LeftDoubleClick, "drill"},
      {kResultGrid, Action::LeftClick, nullptr},
      {kResultGrid, Action::RightDoubleClick, nullptr},
      {kPasswordField, Action::LeftClick, nullptr},
      {kDb2CommandCheckBox, Action::LeftClick, nullptr},
      {kQueryAutorunCheckBox, Action::LeftClick, nullptr},
      {kColoredDatatypesCheckBox, Action::LeftClick, nullptr},
      {kHistoryList, Action::LeftClick, nullptr},
      {kHistoryList, Action::RightClick, nullptr},
  };
  for (const auto& c : cases) {
    HandlerHarness h;
    Recorder r;
    r.WireAll(h.dispatcher.handlers());
    h.Click(c.control, c.action);
    std::vector<std::string> expected;
    if (c.handler) expected.push_back(c.handler);
    EXPECT_EQ(r.calls, expected) << "control " << c.control;
    EXPECT_FALSE(h.ui.quit) << "control " << c.control;
  }
}

TEST(DispatchTest, LibraryWindowControlsReachTheirHandlers) {
  struct {
    Control control;
    Action action;
    bool chooserForm;
    const char* handler;
  } cases[] = {
      {kLibrarySaveButton, Action::LeftClick, false, "save"},
      {kLibraryLoadButton, Action::LeftClick, false, "load"},
      {kLibraryDeleteButton, Action::LeftClick, false, "delete"},
      {kLibraryDeleteButton, Action::LeftClick, true, "chooser"},
      {kStoreModeButton, Action::LeftClick, false, "switch"},
      {kLibraryExitButton, Action::LeftClick, false, "libraryExit"},
      {kQueryNamesList, Action::LeftDoubleClick, false, "load"},
      {kQueryNamesList, Action::LeftDoubleClick, true, "load"},
      {kQueryNamesList, Action::LeftClick, false, nullptr},
      {kQueryNamesList, Action::RightClick, false, nullptr},
  };
  for (const auto& c : cases) {
    HandlerHarness h;
    Recorder r;
    r.WireAll(h.dispatcher.handlers());
    h.ui.OpenLibraryWindow(c.chooserForm ? Ui::LibraryForm::ColumnChooser : Ui::LibraryForm::Library);
    h.Click(c.control, c.action);
    std::vector<std::string> expected;
    if (c.handler) expected.push_back(c.handler);
    EXPECT_EQ(r.calls, expected) << "control " << c.control << (c.chooserForm ? " chooser" : "");
  }
}

TEST(DispatchTest, EventsOfTheBusyWindowAreNotDispatched) {
  HandlerHarness h;
  Recorder r;
  r.WireAll(h.dispatcher.handlers());
  h.loop.Deliver(Event::ControlOf(WindowId::Busy, kBusyText, Action::LeftClick));
  h.loop.Deliver(Event::ControlOf(WindowId::Busy, kRunButton, Action::LeftClick));
  EXPECT_TRUE(r.calls.empty());
}

TEST(DispatchTest, RightClickInTheGridShowsThePopupMenuAndItsItemsReachTheHandler) {
  HandlerHarness h;
  Recorder r;
  r.WireAll(h.dispatcher.handlers());
  h.Click(kResultGrid, Action::RightClick);
  EXPECT_EQ(h.ui.popupShown, 1);
  for (int item = 1; item <= 8; ++item) h.loop.Deliver(Event::MenuOf(item));
  EXPECT_EQ(r.calls, (std::vector<std::string>{"popup1", "popup2", "popup3", "popup4", "popup5",
                                               "popup6", "popup7", "popup8"}));
}

TEST(DispatchTest, ControlsWithoutHandlersDoNothing) {
  HandlerHarness h;
  h.dispatcher.handlers() = Handlers{};  // a control whose handler is not set
  for (const ControlSpec& c : AllControls()) h.Click(c.id);
  h.loop.Deliver(Event::TimerTick(0));
  h.loop.Deliver(Event::MenuOf(kGenerateDelete));
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST(DispatchTest, HistoryDoubleClickCopiesTheSelectedEntryOrEmptiesTheEditor) {
  HandlerHarness h;
  h.ui.AppendListItem(kHistoryList, "select 1 from t");
  h.ui.AppendListItem(kHistoryList, "select 2 from t");
  h.ui.SetText(kSqlEditor, "typed");
  h.ui.SelectListItem(kHistoryList, 1);
  h.Click(kHistoryList, Action::LeftDoubleClick);
  EXPECT_EQ(h.ui.Text(kSqlEditor), "select 2 from t");
  h.ui.SelectListItem(kHistoryList, -1);
  h.Click(kHistoryList, Action::LeftDoubleClick);
  EXPECT_EQ(h.ui.Text(kSqlEditor), "");
}

class ExitPathTest : public ::testing::TestWithParam<Event> {};

TEST_P(ExitPathTest, WritesSettingsHandsOverTheClipboardClosesAndQuits) {
  TempDir home;
  HandlerHarness h(home.path() + "/");
  Recorder r;
  r.WireAll(h.dispatcher.handlers());
  h.ui.SetText(kDataSourceBox, "SAMPLE");
  h.ui.SetText(kUserField, "db2inst1");
  h.ui.SetText(kPasswordField, "secret");
  h.loop.Deliver(GetParam());
  EXPECT_EQ(ReadFileBytes(home.File("zuno.ini")), "lastconnect=SAMPLE\r\nlastuser=db2inst1\r\n");
  EXPECT_TRUE(h.ui.clipboardHandedOver);
  EXPECT_TRUE(h.ui.quit);
  EXPECT_TRUE(h.loop.Ended());
  EXPECT_EQ(r.calls, std::vector<std::string>{"closeConnection"});
  // Nothing is handled after the end.
  h.Click(kRunButton);
  EXPECT_EQ(r.calls, std::vector<std::string>{"closeConnection"});
}

INSTANTIATE_TEST_SUITE_P(
    BothPaths, ExitPathTest,
    ::testing::Values(Event::ControlOf(WindowId::Main, kExitButton, Action::LeftClick),
                      Event::CloseOf(WindowId::Main), Event::CloseOf(WindowId::Busy)));

// A keep that fails at the exit asks whether to try again or to quit without
// it; a text too large to keep is said, and No goes back to the editor.
TEST(ExitKeepTest, AFailedKeepAsksBeforeTheProgramEnds) {
  // A file system of 64 KB of its own, filled up, fails a write as a full disk does. It needs root: without it
  // the cases of a full disk are left out.
  TempDir disk;
  const std::string filler = disk.File("filler");
  const bool mounted = geteuid() == 0 && mount("tmpfs", disk.path().c_str(), "tmpfs", 0, "size=64k") == 0;
  const struct Unmount {
    const TempDir& at;
    ~Unmount() { umount(at.path().c_str()); }
  } unmount{disk};
  if (mounted) {
    const UniqueFd fd(open(filler.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600));
    while (write(fd.get(), std::string(4096, 'x').data(), 4096) > 0) {}
  }
  const std::string state = disk.File("zuno/editor-state");
  const std::string typed = "select 'typed' from t";
  const std::string tooLarge(kMaxEditorStateBytes, 'x');
  struct {  // questionHolds: a part of the one question asked
    const char* what; const std::string* text; bool answer; std::string questionHolds; bool ends, kept;
  } cases[] = {
      {"a full disk and No", &typed, false, "(No space left on device).\n\nTry again?", true, false},
      {"a full disk, then room, then Yes", &typed, true, "(No space left on device).\n\nTry again?", true, true},
      {"a text too large and No", &tooLarge, false, std::string(kEditorStateTooLarge) + "\n\nQuit all the same?",
       false, false},
      {"a text too large and Yes", &tooLarge, true, std::string(kEditorStateTooLarge), true, false},
  };
  for (const auto& c : cases) {
    if (c.text == &typed && !mounted) continue;
    SCOPED_TRACE(c.what);
    HandlerHarness h;
    int keeps = 0;
    h.dispatcher.handlers().keepEditorState = [&] {
      if (keeps++ == 1) unlink(filler.c_str());  // the user made room before trying again
      return WriteEditorState(state, {*c.text, 0, {}, {}});
    };
    h.ui.yesNoAnswers = {c.answer};
    h.Click(kExitButton);
    ASSERT_EQ(h.ui.questions.size(), 1u);
    EXPECT_NE(h.ui.questions[0].find(c.questionHolds), std::string::npos) << h.ui.questions[0];
    EXPECT_EQ(h.loop.Ended(), c.ends);
    const std::optional<EditorState> read = ReadEditorState(state);
    EXPECT_EQ(read && read->text == *c.text, c.kept);
  }
}

// Its Exit button and a close request on the library window close that
// window only: the SQL, the result and the history stay.
TEST(DispatchTest, ClosingTheLibraryWindowDoesNotEndTheProgram) {
  for (Event e : {Event::ControlOf(WindowId::Library, kLibraryExitButton, Action::LeftClick),
                  Event::CloseOf(WindowId::Library)}) {
    HandlerHarness h;
    h.ui.OpenLibraryWindow(Ui::LibraryForm::ColumnChooser);
    h.loop.Deliver(e);
    EXPECT_FALSE(h.loop.Ended());
    EXPECT_FALSE(h.ui.quit || h.ui.libraryOpen);
  }
}

TEST(AutorunTimerTest, SwitchingOnStartsTimerZeroAndColoursTheField) {
  struct {
    const char* seconds;
    int periodMs;  // 0: no timer started
  } cases[] = {{"30", 30000}, {"2", 2000}, {"0", 0}, {"", 0}, {" 5", 5000}};
  for (const auto& c : cases) {
    HandlerHarness h;
    h.ui.SetText(kTimerSecondsField, c.seconds);
    h.ui.SetChecked(kTimerCheckBox, true);
    h.Click(kTimerCheckBox);
    EXPECT_EQ(h.ui.timerPeriodMs, c.periodMs) << '"' << c.seconds << '"';
    EXPECT_TRUE(h.ui.timerFieldHighlighted) << '"' << c.seconds << '"';
  }
}

TEST(AutorunTimerTest, SwitchingOffStopsTheTimerAndRestoresTheField) {
  HandlerHarness h;
  h.ui.SetText(kTimerSecondsField, "2");
  h.ui.SetChecked(kTimerCheckBox, true);
  h.Click(kTimerCheckBox);
  h.ui.SetChecked(kTimerCheckBox, false);
  h.Click(kTimerCheckBox);
  EXPECT_EQ(h.ui.timerPeriodMs, 0);
  EXPECT_FALSE(h.ui.timerFieldHighlighted);
}

TEST(AutorunTimerTest, ANewPeriodTakesEffectOnlyAtTheNextSwitchOn) {
  HandlerHarness h;
  h.ui.SetText(kTimerSecondsField, "2");
  h.ui.SetChecked(kTimerCheckBox, true);
  h.Click(kTimerCheckBox);
  h.ui.SetText(kTimerSecondsField, "9");
  EXPECT_EQ(h.ui.timerPeriodMs, 2000);
  h.Click(kTimerCheckBox);  // still checked: the timer is started anew
  EXPECT_EQ(h.ui.timerPeriodMs, 9000);
}

TEST(AutorunTimerTest, TicksRunTheStatementLikeTheRunButton) {
  HandlerHarness h;
  Recorder r;
  r.WireAll(h.dispatcher.handlers());
  h.loop.Deliver(Event::TimerTick(0));
  h.loop.Deliver(Event::TimerTick(0));
  h.loop.Deliver(Event::TimerTick(1));  // not the Autorun Timer
  EXPECT_EQ(r.calls, (std::vector<std::string>{"run", "run"}));
}

TEST(AutorunTimerTest, UncheckingInsideAHandlerDropsTicksAlreadyDue) {
  HandlerHarness h;
  int runs = 0;
  h.dispatcher.handlers().runStatement = [&] {
    ++runs;
    // Two ticks fall due while the statement runs, then the user unchecks.
    h.loop.Deliver(Event::TimerTick(0));
    h.loop.Deliver(Event::TimerTick(0));
    h.ui.SetChecked(kTimerCheckBox, false);
    h.dispatcher.Dispatch(Event::ControlOf(WindowId::Main, kTimerCheckBox, Action::LeftClick));
  };
  h.loop.Deliver(Event::TimerTick(0));
  EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace zuno
