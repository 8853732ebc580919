// The shared grid behaviour, held against the widget in a shown window.
#include "tests/grid/grid_in_window.h"
#include "tests/grid/result_grid_contract.h"

namespace zuno::testing {
namespace {

class GtkGridUnderTest : public ReadBackOf<GtkResultGrid> {
 public:
  GtkGridUnderTest() : ReadBackOf<GtkResultGrid>(shown_.grid) {}
  void Settle() override { shown_.Settle(); }

 private:
  GridInWindow shown_;
};

INSTANTIATE_TEST_SUITE_P(Gtk, ResultGridContract,
                         ::testing::Values(GridImplementation{
                             "Gtk", [] { return std::make_unique<GtkGridUnderTest>(); }}),
                         ImplementationName);

}  // namespace
}  // namespace zuno::testing
