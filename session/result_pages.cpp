#include "session/result_pages.h"

#include <algorithm>
#include <utility>

#include "db/idle_trim.h"

namespace zuno {

ResultPages::ResultPages(MakeGrid make) : make_(std::move(make)) {}

void ResultPages::ReplaceUnpinned() {
  const ResultPage* kept = Current() && Current()->pinned ? Current() : nullptr;
  std::vector<ResultPage> pinned;
  int current = -1;
  for (ResultPage& page : pages_) {
    if (!page.pinned) continue;
    if (&page == kept) current = static_cast<int>(pinned.size());
    pinned.push_back(std::move(page));
  }
  const bool freed = pinned.size() < pages_.size();
  pages_ = std::move(pinned);  // the others go with their rows
  if (freed) TrimAfterRest();  // their pages go back to the system
  current_ = current >= 0 ? current : (pages_.empty() ? -1 : 0);
}

ResultPage& ResultPages::Add(std::string title) {
  ResultPage page;
  page.grid = make_();
  page.number = ++numbered_;
  page.title = std::move(title);
  pages_.push_back(std::move(page));
  current_ = Count() - 1;
  return pages_.back();
}

void ResultPages::Close(int index) {
  if (index < 0 || index >= Count()) return;
  pages_.erase(pages_.begin() + index);
  TrimAfterRest();  // the rows' pages go back to the system
  if (pages_.empty())
    current_ = -1;
  else if (current_ > index || current_ >= Count())
    current_ = std::max(current_ - 1, 0);
}

void ResultPages::SetPinned(int index, bool pinned) {
  if (index >= 0 && index < Count()) pages_[static_cast<std::size_t>(index)].pinned = pinned;
}

int ResultPages::IndexOf(int number) const {
  for (int i = 0; i < Count(); ++i)
    if (pages_[static_cast<std::size_t>(i)].number == number) return i;
  return -1;
}

void ResultPages::SetCurrent(int index) {
  if (index >= 0 && index < Count()) current_ = index;
}

std::string ScriptPagesNote(int results) {
  if (results <= kScriptPageLimit) return {};
  const int rest = results - kScriptPageLimit;
  return "The first " + std::to_string(kScriptPageLimit) + " results have a page each; " + std::to_string(rest) +
         (rest == 1 ? " more is" : " more are") + " counted in the report only.";
}

}  // namespace zuno
