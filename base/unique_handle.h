// A handle with one owner: released by its kind's Release when the owner
// goes, or earlier by Reset, which tells whether the release succeeded.
// A kind names its Handle type, the value that holds nothing (kNone) and how
// one is released:
//
//   struct FdKind { using Handle = int; static constexpr int kNone = -1;
//                   static bool Release(int fd) { return close(fd) == 0; } };
#pragma once

#include <utility>

namespace zuno {

template <typename Kind>
class UniqueHandle {
 public:
  using Handle = typename Kind::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : h_(h) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, Kind::kNone)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      h_ = std::exchange(other.h_, Kind::kNone);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != Kind::kNone; }

  // True when there was nothing to release or the release succeeded.
  bool Reset() {
    if (h_ == Kind::kNone) return true;
    return Kind::Release(std::exchange(h_, Kind::kNone));
  }
  // Gives the handle up without releasing it (one its owner already let go).
  Handle Forget() { return std::exchange(h_, Kind::kNone); }

 private:
  Handle h_ = Kind::kNone;
};

}  // namespace zuno
