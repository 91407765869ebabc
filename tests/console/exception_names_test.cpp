#include "console/exception_names.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace orbcalc {
namespace {

TEST(ExceptionNames, NamesTheCodesOfTheExceptionHook) {
  struct Case {
    std::uint32_t code;
    const char* name;
  };
  const Case cases[] = {
      {0x80000002u, "Data alignment"},       {0x80000004u, "Single Step"},
      {0xC0000005u, "Access Violation"},     {0xC000001Du, "Illegal instruction"},
      {0xC000008Eu, "Division by zero"},     {0xC0000092u, "FP stack overflow"},
      {0xC0000094u, "Integer division by zero"}, {0xC00000FDu, "Stack overflow"},
  };
  for (const Case& c : cases) EXPECT_EQ(exception_name(c.code), c.name) << std::hex << c.code;
}

TEST(ExceptionNames, SpellsOtherCodesInCapitalHexWithoutLeadingZeros) {
  struct Case {
    std::uint32_t code;
    const char* name;
  };
  const Case cases[] = {
      {0x0u, "Unknown exception 0x0"},
      {0x2Au, "Unknown exception 0x2A"},
      {0xE06D7363u, "Unknown exception 0xE06D7363"},
      {0xFFFFFFFFu, "Unknown exception 0xFFFFFFFF"},
      // Neighbours of named codes have no name.
      {0xC0000007u, "Unknown exception 0xC0000007"},
      {0x80000001u, "Unknown exception 0x80000001"},
  };
  for (const Case& c : cases) EXPECT_EQ(exception_name(c.code), c.name);
}

}  // namespace
}  // namespace orbcalc
