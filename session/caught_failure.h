// What a call threw, caught where it would otherwise leave the program: at a
// worker thread's end, at the event loop's hand-over to a handler and in the
// toolkit's callbacks, which no exception may cross.
#pragma once

#include <exception>
#include <new>
#include <string>
#include <string_view>

namespace zuno {

inline constexpr std::string_view kOutOfMemory = "Out of memory!";
inline constexpr std::string_view kUnknownFailure = "The work stopped with an unknown error!";

// The text a message box shows for what the call threw; empty when it
// returned.
template <class F>
std::string CaughtFailure(F&& call) {
  try {
    call();
    return {};
  } catch (const std::bad_alloc&) {
    return std::string(kOutOfMemory);
  } catch (const std::exception& e) {
    return *e.what() ? e.what() : std::string(kUnknownFailure);
  } catch (...) {
    return std::string(kUnknownFailure);
  }
}

// Writes a caught failure to the program's error output, once, where it can
// be found afterwards: "ZUNO: <where> failed: <failure>".
void LogFailure(std::string_view where, std::string_view failure) noexcept;

}  // namespace zuno
