#include "app/event_loop.h"

#include <gtest/gtest.h>

#include <vector>

namespace zuno {
namespace {

std::vector<EventKind> Kinds(const std::vector<Event>& events) {
  std::vector<EventKind> kinds;
  for (const Event& e : events) kinds.push_back(e.kind);
  return kinds;
}

TEST(EventLoopTest, TicksThatFallDueDuringAHandlerRunOncePerTickAfterIt) {
  EventLoop loop;
  std::vector<Event> handled;
  int depth = 0, deepest = 0;
  loop.SetSink([&](const Event& e) {
    deepest = std::max(deepest, ++depth);
    handled.push_back(e);
    if (handled.size() == 1) {
      loop.Deliver(Event::TimerTick(0));
      loop.Deliver(Event::TimerTick(0));
      EXPECT_EQ(handled.size(), 1u) << "a tick interrupted the handler";
    }
    --depth;
  });
  loop.Deliver(Event::ControlOf(WindowId::Main, kRunButton, Action::LeftClick));
  EXPECT_EQ(Kinds(handled), (std::vector<EventKind>{EventKind::Control, EventKind::Timer, EventKind::Timer}));
  EXPECT_EQ(deepest, 1);
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

}  // namespace
}  // namespace zuno
