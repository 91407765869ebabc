// Console statements: a write laid out by a layout string, or a free-form
// read, each opened, given its items one by one, and closed.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "console/runtime.hpp"

namespace orbcalc {

enum class ItemType { integer, real, character };

// One item of a statement: where its bytes are and how many.
struct TransferItem {
  ItemType type;
  void* address;
  std::size_t length;
};

std::string_view type_name(ItemType type);

// Opens a write statement on `unit`: parses the layout, starts a fresh
// record and carries out the layout up to its first data field.
void st_write(int unit, std::string_view layout);
// Closes it: the current record is emitted with its terminator.
void st_write_done();

// Opens a free-form read statement on `unit`: the next input line is read.
void st_read(int unit);
// Closes it: the rest of the line is discarded.
void st_read_done();

// The items, in order, for the open statement.
void transfer_integer(std::int32_t& item);
void transfer_real(float& item);
void transfer_character(std::span<char> item);

inline void transfer(std::int32_t& item) { transfer_integer(item); }
inline void transfer(float& item) { transfer_real(item); }
inline void transfer(std::span<char> item) { transfer_character(item); }

// A whole write statement of source line `line` on standard output.
template <class... Items>
void write_statement(int line, std::string_view layout, Items&&... items) {
  set_locus(line);
  st_write(kOutputUnit, layout);
  (transfer(items), ...);
  st_write_done();
}

// A whole free-form read statement of source line `line` from standard
// input.
template <class... Items>
void read_statement(int line, Items&&... items) {
  set_locus(line);
  st_read(kInputUnit);
  (transfer(items), ...);
  st_read_done();
}

// Ends the run over an answer that was read but cannot be used, reported
// like a failed read at that line.
[[noreturn]] void reject_answer(int line, std::string_view reason);

}  // namespace orbcalc
