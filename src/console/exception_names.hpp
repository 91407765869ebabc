// The names a processor-fault diagnostic gives to faults, looked up by the
// exception codes of the Windows unhandled-exception hook. Every platform
// layer spells a fault it cannot name the same way.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orbcalc {

// A fault's name, held in the object itself: nothing here allocates or
// keeps state, so a fault handler may use it.
class FaultName {
 public:
  FaultName(std::string_view name);
  FaultName(const char* name) : FaultName(std::string_view(name)) {}
  operator std::string_view() const { return {text_.data(), size_}; }
  friend bool operator==(const FaultName& name, std::string_view text) { return std::string_view(name) == text; }

 private:
  std::array<char, 32> text_;
  std::size_t size_;
};

// The name of the fault with this exception code; a code without a name
// is spelled as unknown_exception_name spells it.
FaultName exception_name(std::uint32_t code);

// "Unknown exception 0x" and the code in capital hexadecimal digits
// without leading zeros.
FaultName unknown_exception_name(std::uint32_t code);

}  // namespace orbcalc
