// The dialogue of a whole run: its prompts byte for byte, the echoes, and
// the answers it refuses.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "model/molmodel.hpp"
#include "support/console_harness.hpp"

namespace orbcalc {
namespace {

using testing::record;
using testing::RunResult;
using testing::run_program;

// The text in code page 932, converted by the system's iconv: a check on
// the prompt bytes that does not come from the program itself.
std::string cp932(const std::string& utf8) {
  // Named for this process: parallel test runs must not share the file.
  auto path = std::filesystem::temp_directory_path() /
              ("orbcalc-prompt-" + std::to_string(::getpid()) + ".txt");
  std::ofstream(path, std::ios::binary) << utf8;
  std::string command = "iconv -f UTF-8 -t CP932 '" + path.string() + "'";
  std::FILE* pipe = popen(command.c_str(), "r");
  std::string converted;
  for (int c; pipe != nullptr && (c = std::fgetc(pipe)) != EOF;) converted += static_cast<char>(c);
  if (pipe != nullptr) pclose(pipe);
  std::filesystem::remove(path);
  return converted;
}

std::string prompt(const std::string& utf8) { return record(cp932(utf8)) + record(""); }

const std::string kBanner = record(" ***  Hueckel Molecular Orbital Calculation  ***") + record("");

std::string five_prompts() {
  return kBanner + prompt(" 化合物名を入力してください") + prompt(" 原子数を入力してください") +
         prompt(" 結合数を入力してください") + prompt(" 電子数を入力してください") +
         prompt(" ヘテロ・パラメータ数を入力してください");
}

const std::string kBondHeader = prompt(" 結合している原子の組を ，または空白で区切って入力してください");

std::string echo(const std::string& name, const std::string& counts) {
  return record("") + record("") + record("") + record(name) + record("") + record(counts);
}

TEST(Dialogue, WritesEveryPromptInShiftJis) {
  RunResult result = run_program("butadiene\n4\n3\n4\n2\n1 2\n2 3\n3 4\n1 1 0.5\n2 2 0.5\nx\n");
  std::string expected_start = five_prompts() + kBondHeader + record(" [ 1] : ") + record(" [ 2] : ") +
                               record(" [ 3] : ") +
                               record(cp932(" 変更する行列要素の番号と要素（ヘテロ・パラメータ）")) +
                               prompt(" を ，または空白で区切って入力してください") + record(" [ 1] : ") +
                               record(" [ 2] : ") + echo("butadiene" + std::string(31, ' '), "    4 Atoms        3 Bonds");
  EXPECT_EQ(result.output.substr(0, expected_start.size()), expected_start);
  EXPECT_TRUE(result.output.ends_with(prompt(" 何か文字を入力してください")));
  EXPECT_EQ(result.status, kStatusNormal);
  EXPECT_EQ(result.errors, "");
}

TEST(Dialogue, EchoesTheNameAsFortyBytesAndTheCountsAsTyped) {
  struct Case {
    std::string answers;
    std::string name;
    std::string counts;
  };
  const Case cases[] = {
      {",\n0\n0\n0\n0\nx\n", std::string(40, ' '), "    0 Atoms        0 Bonds"},
      {"'Shift_JIS \x89\xBB'\n-5\n-1\n0\n0\nx\n", "Shift_JIS \x89\xBB" + std::string(28, ' '),
       "   -5 Atoms       -1 Bonds"},
      {"benzene\n,\n-1000\n7\n-3\n,\n", "benzene" + std::string(33, ' '), "    0 Atoms     **** Bonds"},
  };
  for (const Case& c : cases) {
    RunResult result = run_program(c.answers);
    EXPECT_NE(result.output.find(kBondHeader + echo(c.name, c.counts)), std::string::npos) << c.answers;
    EXPECT_EQ(result.status, kStatusNormal) << result.errors;
  }
}

TEST(Dialogue, ReportsEachFailedReadWithItsLine) {
  struct Case {
    std::string answers;
    std::string locus;
    std::string reason;
  };
  const Case cases[] = {
      {"", "At line 14 of file orbcalc (Unit 5)", "End of file"},
      {"x\n", "At line 16 of file orbcalc (Unit 5)", "End of file"},
      {"x\nabc\n", "At line 16 of file orbcalc (Unit 5)", "Bad integer for item 1 in list input"},
      {"x\n1\n1.5\n", "At line 18 of file orbcalc (Unit 5)", "Bad integer for item 1 in list input"},
      {"x\n1\n1\n", "At line 20 of file orbcalc (Unit 5)", "End of file"},
      {"x\n1\n1\n1\n", "At line 22 of file orbcalc (Unit 5)", "End of file"},
      {"x\n2\n1\n1\n0\n1\n", "At line 59 of file orbcalc (Unit 5)", "End of file"},
      {"x\n2\n1\n1\n1\n1 2\n1 1\n", "At line 81 of file orbcalc (Unit 5)", "End of file"},
      {"x\n2\n1\n1\n1\n1 2\n1 1 1.2.3\n", "At line 81 of file orbcalc (Unit 5)",
       "Bad real number in item 3 of list input"},
      {"x\n2\n0\n1\n0\n", "At line 36 of file orbcalc (Unit 5)", "End of file"},
  };
  for (const Case& c : cases) {
    RunResult result = run_program(c.answers);
    EXPECT_EQ(result.status, kStatusRunError) << c.answers;
    EXPECT_EQ(result.errors, c.locus + "\nTraceback: not available, compile with call tracing, which "
                                       "orbcalc does not offer\nMerovan runtime error: " +
                                 c.reason + "\n")
        << c.answers;
  }
}

TEST(Dialogue, RefusesCountsAndIndicesOutsideTheRecord) {
  struct Case {
    std::string answers;
    std::string locus;
    std::string reason;
  };
  const Case cases[] = {
      {"x\n31\n", "16", "Number of atoms 31 exceeds the limit of 30"},
      {"x\n2147483647\n", "16", "Number of atoms 2147483647 exceeds the limit of 30"},
      {"x\n2\n1\n1\n0\n1 31\n", "59", "Atom 2 of bond 1 is 31, outside 1 to 30"},
      {"x\n2\n1\n1\n0\n0 1\n", "59", "Atom 1 of bond 1 is 0, outside 1 to 30"},
      {"x\n2\n1\n1\n0\n,2\n", "59", "Atom 1 of bond 1 is 0, outside 1 to 30"},
      {"x\n2\n2\n1\n0\n1 2\n-1 2\n", "59", "Atom 1 of bond 2 is -1, outside 1 to 30"},
      {"x\n2\n0\n1\n1\n, 1 0.5\n", "81", "Row of hetero parameter 1 is 0, outside 1 to 30"},
      {"x\n2\n0\n1\n2\n1 1 0.5\n1 99 0.5\n", "81", "Column of hetero parameter 2 is 99, outside 1 to 30"},
  };
  for (const Case& c : cases) {
    RunResult result = run_program(c.answers);
    EXPECT_EQ(result.status, kStatusRunError) << c.answers;
    EXPECT_TRUE(result.errors.starts_with("At line " + c.locus + " of file orbcalc (Unit 5)\n")) << result.errors;
    EXPECT_TRUE(result.errors.ends_with("Merovan runtime error: " + c.reason + "\n")) << result.errors;
  }
}

TEST(Dialogue, BuildsTheMatrixFromBondsAndHeteroParameters) {
  // Bonds beyond the 30 that the list holds still set the matrix.
  std::string answers = "x\n30\n32\n0\n3\n";
  for (int b = 1; b <= 30; ++b) answers += std::to_string(b) + " " + std::to_string(b % 30 + 1) + "\n";
  answers += "1 3\n2,\n4\n";
  answers += "1 1 0.5\n2 1 0.8\n,,,\nx\n";
  RunResult result = run_program(answers);
  EXPECT_EQ(result.status, kStatusNormal) << result.errors;
  EXPECT_EQ(molmodel.iat[29], 30);
  EXPECT_EQ(molmodel.jat[29], 1);
  EXPECT_EQ(molmodel.nbond, 32);
}

TEST(Dialogue, SkipsTheHeteroInputForZeroOrNegativeCounts) {
  for (const char* count : {"0", "-4"}) {
    RunResult result = run_program(std::string("x\n2\n1\n0\n") + count + "\n1 2\nx\n");
    std::string after_bond = kBondHeader + record(" [ 1] : ") + echo("x" + std::string(39, ' '), "    2 Atoms        1 Bonds");
    EXPECT_NE(result.output.find(after_bond), std::string::npos) << count;
  }
}

}  // namespace
}  // namespace orbcalc
