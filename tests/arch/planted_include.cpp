// A file that includes one header, built with the include directories and
// links of a folder's library: tests/arch/build_refuses_test.sh sees whether
// the build lets it.
#include PLANTED_HEADER
