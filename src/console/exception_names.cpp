#include "console/exception_names.hpp"

#include <algorithm>
#include <array>

#include "console/text.hpp"

namespace orbcalc {
namespace {

struct NamedException {
  std::uint32_t code;
  std::string_view name;
};

constexpr NamedException kNamedExceptions[] = {{0x80000002u, "Data alignment"},
                                               {0x80000003u, "Breakpoint"},
                                               {0x80000004u, "Single Step"},
                                               {0xC0000005u, "Access Violation"},
                                               {0xC0000006u, "Page error"},
                                               {0xC000001Du, "Illegal instruction"},
                                               {0xC0000025u, "Noncontinuable exception"},
                                               {0xC0000026u, "Invalid disposition"},
                                               {0xC000008Cu, "Subscript out of range"},
                                               {0xC000008Du, "Denormal operand"},
                                               {0xC000008Eu, "Division by zero"},
                                               {0xC000008Fu, "Inexact result"},
                                               {0xC0000090u, "Invalid operation"},
                                               {0xC0000091u, "Overflow"},
                                               {0xC0000092u, "FP stack overflow"},
                                               {0xC0000093u, "Underflow"},
                                               {0xC0000094u, "Integer division by zero"},
                                               {0xC0000095u, "Integer overflow"},
                                               {0xC0000096u, "Privileged instruction"},
                                               {0xC00000FDu, "Stack overflow"}};

constexpr std::string_view kUnknownPrefix = "Unknown exception 0x";

}  // namespace

// Every name is shorter than the text, as is the prefix with eight digits.
FaultName::FaultName(std::string_view name) : size_(std::min(name.size(), text_.size())) {
  std::copy_n(name.data(), size_, text_.data());
}

FaultName exception_name(std::uint32_t code) {
  for (const NamedException& entry : kNamedExceptions) {
    if (entry.code == code) return entry.name;
  }
  return unknown_exception_name(code);
}

FaultName unknown_exception_name(std::uint32_t code) {
  std::array<char, 32> text;
  char* digits = std::copy(kUnknownPrefix.begin(), kUnknownPrefix.end(), text.data());
  char* end = write_capital_hex(digits, code);
  return std::string_view(text.data(), static_cast<std::size_t>(end - text.data()));
}

}  // namespace orbcalc
