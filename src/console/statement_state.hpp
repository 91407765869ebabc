// What the write and the read side keep for the one statement in
// progress; statements never nest.
#pragma once

#include "console/statement.hpp"

namespace orbcalc {

class OutputUnit;
class InputUnit;

// The write side: layout interpretation for the open write statement.
void begin_write(OutputUnit& unit, std::string_view layout);
void write_item(const TransferItem& item);
void end_write();

// The read side: free-form values for the open read statement.
void begin_read(InputUnit& unit);
void read_item(const TransferItem& item);
void end_read();

}  // namespace orbcalc
