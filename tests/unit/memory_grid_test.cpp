// The shared grid behaviour, held against the in-memory grid the handler tests use.
#include "tests/grid/result_grid_contract.h"
#include "tests/support/memory_result_grid.h"

namespace zuno::testing {
namespace {

class MemoryGridUnderTest : public ReadBackOf<MemoryResultGrid> {
 public:
  MemoryGridUnderTest() : ReadBackOf<MemoryResultGrid>(grid_) {}

 private:
  MemoryResultGrid grid_;
};

INSTANTIATE_TEST_SUITE_P(Memory, ResultGridContract,
                         ::testing::Values(GridImplementation{
                             "Memory", [] { return std::make_unique<MemoryGridUnderTest>(); }}),
                         ImplementationName);

}  // namespace
}  // namespace zuno::testing
