#include "session/event_loop.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace zuno {
namespace {

std::vector<EventKind> Kinds(const std::vector<Event>& events) {
  std::vector<EventKind> kinds;
  for (const Event& e : events) kinds.push_back(e.kind);
  return kinds;
}

// A slow handler during which ticks fall due: however many, one run follows,
// and a tick during that run makes one more, so the queue never grows.
TEST(EventLoopTest, TicksThatFallDueDuringAHandlerCollapseIntoOneRunAfterIt) {
  struct {
    int ticksDuringFirst;
    int ticksDuringSecond;
    std::size_t runsAfter;
  } cases[] = {{1, 0, 1}, {2, 0, 1}, {8, 0, 1}, {3, 3, 2}};
  for (const auto& c : cases) {
    EventLoop loop;
    std::vector<Event> handled;
    int depth = 0, deepest = 0;
    std::size_t mostWaiting = 0;
    loop.SetSink([&](const Event& e) {
      deepest = std::max(deepest, ++depth);
      handled.push_back(e);
      const int ticks = handled.size() == 1 ? c.ticksDuringFirst : handled.size() == 2 ? c.ticksDuringSecond : 0;
      for (int i = 0; i < ticks; ++i) loop.Deliver(Event::TimerTick(0));
      mostWaiting = std::max(mostWaiting, loop.Waiting());
      --depth;
    });
    loop.Deliver(Event::ControlOf(WindowId::Main, kRunButton, Action::LeftClick));
    SCOPED_TRACE(c.ticksDuringFirst);
    EXPECT_EQ(handled.size(), 1 + c.runsAfter);
    for (std::size_t i = 1; i < handled.size(); ++i) EXPECT_EQ(handled[i].kind, EventKind::Timer);
    EXPECT_EQ(mostWaiting, 1u);
    EXPECT_EQ(deepest, 1);
  }
}

// Work applied from the background waits for a handler that runs, and for
// the events waiting behind it; with no handler running it is applied at once.
TEST(EventLoopTest, WorkForWhenIdleWaitsForTheHandlerAndWhatWaitsBehindIt) {
  EventLoop loop;
  std::vector<std::string> order;
  loop.SetSink([&](const Event& e) {
    order.push_back(e.kind == EventKind::Timer ? "tick" : "click");
    if (order.size() == 1) {
      loop.WhenIdle([&] { order.push_back("idle"); });
      loop.Deliver(Event::TimerTick(0));
      order.push_back("click ends");
    }
  });
  loop.Deliver(Event::ControlOf(WindowId::Main, kRunButton, Action::LeftClick));
  loop.WhenIdle([&] { order.push_back("at once"); });
  EXPECT_EQ(order, (std::vector<std::string>{"click", "click ends", "tick", "idle", "at once"}));
  loop.End();
  loop.WhenIdle([&] { order.push_back("after the end"); });
  EXPECT_EQ(order.back(), "at once");
}

TEST(EventLoopTest, InputArrivingDuringAHandlerIsDropped) {
  EventLoop loop;
  int handled = 0;
  loop.SetSink([&](const Event&) {
    if (++handled == 1) {
      loop.Deliver(Event::ControlOf(WindowId::Main, kRunButton, Action::LeftClick));
      loop.Deliver(Event::MenuOf(1));
    }
  });
  loop.Deliver(Event::ControlOf(WindowId::Main, kRunButton, Action::LeftClick));
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(loop.Waiting(), 0u);
}

TEST(EventLoopTest, ACloseRequestDuringAHandlerEndsTheProgramAfterIt) {
  EventLoop loop;
  std::vector<Event> handled;
  loop.SetSink([&](const Event& e) {
    handled.push_back(e);
    if (e.kind == EventKind::Close) loop.End();
    if (handled.size() == 1) {
      loop.Deliver(Event::CloseOf(WindowId::Library));
      loop.Deliver(Event::TimerTick(0));
    }
  });
  loop.Deliver(Event::ControlOf(WindowId::Main, kRunButton, Action::LeftClick));
  EXPECT_EQ(Kinds(handled), (std::vector<EventKind>{EventKind::Control, EventKind::Close}));
  EXPECT_TRUE(loop.Ended());
  EXPECT_EQ(loop.Waiting(), 0u);
}

TEST(EventLoopTest, DroppingTicksKeepsAWaitingCloseRequest) {
  EventLoop loop;
  std::vector<Event> handled;
  loop.SetSink([&](const Event& e) {
    handled.push_back(e);
    if (handled.size() == 1) {
      loop.Deliver(Event::TimerTick(0));
      loop.Deliver(Event::CloseOf(WindowId::Main));
      loop.Deliver(Event::TimerTick(0));
      loop.DropTimerTicks();
    }
  });
  loop.Deliver(Event::TimerTick(0));
  EXPECT_EQ(Kinds(handled), (std::vector<EventKind>{EventKind::Timer, EventKind::Close}));
}

// A handler or a task that throws ends neither the loop nor the program: the
// user is told once, the loop is no longer marked as handling, and what
// waited behind it (a tick, a task) still runs.
TEST(EventLoopTest, AHandlerThatThrowsIsToldAndTheLoopGoesOn) {
  struct { const char* what; std::function<void()> failing; std::string told; } cases[] = {
      {"an exception with a text", [] { throw std::runtime_error("stoi"); }, "stoi"},
      {"out of memory", [] { throw std::bad_alloc(); }, "Out of memory!"},
      {"anything else", [] { throw 42; }, "unknown error"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EventLoop loop;
    std::vector<std::string> told;
    std::vector<bool> handlingWhileTold;
    loop.SetFailureReport([&](const std::string& m) {
      told.push_back(m);
      handlingWhileTold.push_back(loop.Handling());
    });
    std::vector<EventKind> handled;
    loop.SetSink([&](const Event& e) {
      handled.push_back(e.kind);
      if (handled.size() > 1) return;
      loop.Deliver(Event::TimerTick(0));  // waits behind the failing handler
      c.failing();
    });
    loop.Deliver(Event::ControlOf(WindowId::Main, kRunButton, Action::LeftClick));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(c.told), std::string::npos) << told[0];
    EXPECT_EQ(handlingWhileTold, std::vector<bool>{true});  // events meanwhile wait for the message
    EXPECT_EQ(handled, (std::vector<EventKind>{EventKind::Control, EventKind::Timer}));
    EXPECT_FALSE(loop.Handling());

    bool ran = false;
    loop.WhenIdle(c.failing);
    loop.WhenIdle([&] { ran = true; });
    EXPECT_EQ(told.size(), 2u);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(loop.Handling());
  }
}

}  // namespace
}  // namespace zuno
