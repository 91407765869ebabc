// The table of console units: 5 on standard input, 6 on standard output,
// 0 on standard error, alive from start-up until they are closed.
#pragma once

#include <cstddef>

namespace orbcalc {

class InputUnit;
class OutputUnit;

void init_units(std::size_t record_limit);

// Closes every unit, handing output still held to the system. Returns the
// system's error code when some of it was refused (and is now lost), or 0.
int close_units();

// The open unit with that number; a statement on any other number is an
// error of the program, not of its input.
OutputUnit& output_unit(int number);
InputUnit& input_unit(int number);

// Output held for standard output is written out from a fault handler:
// no memory is released.
void flush_units_from_fault();

}  // namespace orbcalc
