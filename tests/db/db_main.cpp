// The database suites run in the locale the program runs in: the user's for
// everything but numbers. The driver manager converts the texts of drivers
// without wide calls by it.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
