// The names a processor-fault diagnostic gives to faults, looked up by the
// exception codes of the Windows unhandled-exception hook. Every platform
// layer spells a fault it cannot name the same way.
#pragma once

#include <cstdint>
#include <string_view>

namespace orbcalc {

// The name of the fault with this exception code; a code without a name
// is spelled as unknown_exception_name spells it.
std::string_view exception_name(std::uint32_t code);

// "Unknown exception 0x" and the code in capital hexadecimal digits
// without leading zeros. The text lives in static storage until the next
// call: nothing here allocates, so a fault handler may call it.
std::string_view unknown_exception_name(std::uint32_t code);

}  // namespace orbcalc
