// The fuzz targets' property checks, run in the ordinary suite: every seed of
// fuzz/corpus/<target>/ and every input that once broke a parser, kept under
// tests/fuzz_regressions/<target>/, must keep all of its target's properties.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/properties.h"

namespace zuno::fuzz {
namespace {

namespace fs = std::filesystem;

fs::path SourceRoot() { return fs::path(__FILE__).parent_path().parent_path().parent_path(); }

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<fs::path> FilesIn(const fs::path& directory) {
  std::vector<fs::path> files;
  if (!fs::is_directory(directory)) return files;
  for (const auto& entry : fs::directory_iterator(directory))
    if (entry.is_regular_file()) files.push_back(entry.path());
  return files;
}

TEST(FuzzRegressionsTest, EveryTargetHasSeeds) {
  for (const Target& target : kTargets)
    EXPECT_FALSE(FilesIn(SourceRoot() / "fuzz" / "corpus" / target.name).empty())
        << "target " << target.name << " has no seed corpus, so its fuzzing starts blind";
}

// A directory whose name is no target's would never be replayed, so it fails
// here rather than being skipped.
TEST(FuzzRegressionsTest, SeedsAndFoundInputsKeepTheirProperties) {
  std::size_t replayed = 0;
  for (const fs::path& root :
       {SourceRoot() / "fuzz" / "corpus", SourceRoot() / "tests" / "fuzz_regressions"}) {
    ASSERT_TRUE(fs::is_directory(root)) << root;
    for (const auto& directory : fs::directory_iterator(root)) {
      if (!directory.is_directory()) continue;
      const Target* target = FindTarget(directory.path().filename().string());
      if (target == nullptr) {
        ADD_FAILURE() << directory.path() << " names no fuzz target";
        continue;
      }
      for (const fs::path& file : FilesIn(directory.path())) {
        ++replayed;
        for (const std::string& failure : target->properties(ReadBytes(file)))
          ADD_FAILURE() << file << ": " << failure;
      }
    }
  }
  EXPECT_GT(replayed, std::size(kTargets)) << "no inputs were found to replay";
}

// The checks lean on these second statements of the rules; one that says yes
// too easily would let a parser's fault pass unseen.
TEST(FuzzReferenceRulesTest, JudgeKnownInputs) {
  struct {
    const char* fault;
    std::string_view text;
    bool validUtf8;
  } utf8[] = {
      {"ASCII refused", "select 1", true},
      {"two-, three- and four-byte characters refused", "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80",
       true},
      {"over-long NUL accepted", "\xC0\x80", false},
      {"over-long three-byte form accepted", "\xE0\x80\x80", false},
      {"encoded surrogate accepted", "\xED\xA0\x80", false},
      {"value above U+10FFFF accepted", "\xF4\x90\x80\x80", false},
      {"cut-off sequence accepted", "a\xE2\x82", false},
      {"stray continuation byte accepted", "\x80", false},
      {"five-byte form accepted", "\xF8\x88\x80\x80\x80", false},
  };
  for (const auto& c : utf8) EXPECT_EQ(IsValidUtf8(c.text), c.validUtf8) << c.fault;

  struct {
    const char* fault;
    std::string_view text;
    bool number;
  } numbers[] = {
      {"integer refused", "42", true},
      {"signed fraction with exponent refused", "-1.5e+10", true},
      {"surrounding blanks and tabs refused", " \t7\t ", true},
      {"point without digits after accepted", "1.", false},
      {"point without digits before accepted", ".5", false},
      {"exponent without digits accepted", "1e", false},
      {"blank inside the number accepted", "1 2", false},
      {"line feed taken as a blank", "1\n", false},
      {"lone sign accepted", "-", false},
      {"blank text accepted", "  ", false},
  };
  for (const auto& c : numbers) EXPECT_EQ(ReferenceDecimalNumber(c.text), c.number) << c.fault;

  struct {
    const char* fault;
    std::string_view sql;
    std::optional<std::string> literal;
  } literals[] = {
      {"doubled apostrophe not made single", "'O''Brien'", "O'Brien"},
      {"empty literal refused", "''", ""},
      {"lone apostrophe inside accepted", "'a'b'", std::nullopt},
      {"two literals taken as one", "'a' 'b'", std::nullopt},
      {"text after the literal accepted", "'a'x", std::nullopt},
      {"unquoted text accepted", "abc", std::nullopt},
  };
  for (const auto& c : literals) EXPECT_EQ(ReadOneSqlLiteral(c.sql), c.literal) << c.fault;
}

}  // namespace
}  // namespace zuno::fuzz
