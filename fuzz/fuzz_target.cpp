// One libFuzzer entry point, built once per target: ZUNO_FUZZ_TARGET names
// which parser's properties every generated input is run through. A broken
// property aborts, so libFuzzer keeps the input as a crash.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const zuno::fuzz::Target* const target = zuno::fuzz::FindTarget(ZUNO_FUZZ_TARGET);
  if (target == nullptr) {
    std::fprintf(stderr, "no fuzz target named %s\n", ZUNO_FUZZ_TARGET);
    std::abort();
  }
  const zuno::fuzz::Failures failures =
      target->properties(std::string_view(reinterpret_cast<const char*>(data), size));
  if (failures.empty()) return 0;
  for (const std::string& failure : failures)
    std::fprintf(stderr, "property broken: %s\n", failure.c_str());
  std::abort();
}
