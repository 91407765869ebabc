// Console statements: a write laid out by a layout string, or a free-form
// read, each opened, given its items one by one, and closed.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "console/layout_parse.hpp"
#include "console/runtime.hpp"

namespace orbcalc {

// A write statement of the program: its line number and its layout,
// parsed when the program is built.
struct WriteStatement {
  int line;
  LayoutView layout;
};

// A free-form read statement of the program.
struct ReadStatement {
  int line;
};

// Opens a write statement on `unit`: starts a fresh record and carries out
// the layout up to its first data field. A layout given as text is parsed
// first.
void st_write(int unit, const LayoutView& layout);
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

// Records the statement's line in the locus and opens it on standard
// output; its items and st_write_done follow.
inline void start_write(const WriteStatement& statement) {
  set_locus(statement.line);
  st_write(kOutputUnit, statement.layout);
}

// A whole write statement on standard output.
template <class... Items>
void write_statement(const WriteStatement& statement, Items&&... items) {
  start_write(statement);
  (transfer(items), ...);
  st_write_done();
}

// A whole write statement with a layout given as text.
template <class... Items>
void write_statement(int line, std::string_view layout, Items&&... items) {
  set_locus(line);
  st_write(kOutputUnit, layout);
  (transfer(items), ...);
  st_write_done();
}

// A whole free-form read statement from standard input.
template <class... Items>
void read_statement(const ReadStatement& statement, Items&&... items) {
  set_locus(statement.line);
  st_read(kInputUnit);
  (transfer(items), ...);
  st_read_done();
}

template <class... Items>
void read_statement(int line, Items&&... items) {
  read_statement(ReadStatement{line}, items...);
}

// Ends the run over an answer that the statement read but that cannot be
// used, reported like a failed read of that statement.
[[noreturn]] void reject_answer(const ReadStatement& statement, std::string_view reason);

}  // namespace orbcalc
