// The fuzzer's bytes cut into the arguments of a call: texts separated by the
// byte 0x1E, numbers written as decimal texts, doubles as their eight raw
// bytes. A seed file stays readable, and any byte string is some input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

namespace zuno::fuzz {

inline constexpr char kFieldSeparator = '\x1E';

class FuzzInput {
 public:
  explicit FuzzInput(std::string_view bytes) : rest_(bytes) {}

  // The text up to the next separator (which is consumed) or to the end.
  std::string_view Field() {
    const std::size_t end = rest_.find(kFieldSeparator);
    const std::string_view field = rest_.substr(0, end);
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    return field;
  }

  // A field read as an optional minus and decimal digits, anything after them
  // ignored; held at the int64 bounds rather than wrapping.
  std::int64_t Int64() {
    const std::string_view field = Field();
    std::size_t at = 0;
    const bool negative = !field.empty() && field[0] == '-';
    if (negative) ++at;
    constexpr std::uint64_t kLimit = std::numeric_limits<std::int64_t>::max();
    std::uint64_t magnitude = 0;
    for (; at < field.size() && field[at] >= '0' && field[at] <= '9'; ++at) {
      magnitude = magnitude * 10 + static_cast<std::uint64_t>(field[at] - '0');
      if (magnitude > kLimit) magnitude = kLimit + 1;  // past either bound
    }
    if (negative)
      return magnitude > kLimit ? std::numeric_limits<std::int64_t>::min()
                                : -static_cast<std::int64_t>(magnitude);
    return magnitude > kLimit ? std::numeric_limits<std::int64_t>::max()
                              : static_cast<std::int64_t>(magnitude);
  }

  // The next eight bytes as a double's bit pattern (zeros where the input
  // ends first), so NaNs, infinities and subnormals are all reachable.
  double RawDouble() {
    unsigned char bits[sizeof(double)] = {};
    const std::size_t n = rest_.size() < sizeof bits ? rest_.size() : sizeof bits;
    std::memcpy(bits, rest_.data(), n);
    rest_.remove_prefix(n);
    double value;
    std::memcpy(&value, bits, sizeof value);
    return value;
  }

  unsigned char Byte() {
    if (rest_.empty()) return 0;
    const auto b = static_cast<unsigned char>(rest_[0]);
    rest_.remove_prefix(1);
    return b;
  }

  std::string_view Rest() {
    const std::string_view rest = rest_;
    rest_ = {};
    return rest;
  }

  bool Empty() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

}  // namespace zuno::fuzz
