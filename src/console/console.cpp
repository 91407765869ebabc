#include "console/console.hpp"

#include <cassert>
#include <optional>

#include "console/runtime.hpp"

namespace orbcalc {
namespace {

// The one console of the process.
std::optional<Console> the_console;

}  // namespace

Console::Console(Platform& platform, std::size_t record_limit)
    : platform_(platform),
      input_(platform, StdStream::input, record_limit),
      output_(platform, StdStream::output, record_limit),
      error_output_(platform, StdStream::error, record_limit) {}

void Console::begin_statement(int unit, Direction direction) {
  set_current_unit(unit);
  direction_ = direction;
}

// Every write statement of the program goes to unit 6.
void Console::st_write(int unit, const LayoutView& layout) {
  assert(unit == kOutputUnit);
  begin_statement(unit, Direction::writing);
  writer_.begin(output_, layout);
}

void Console::st_write(int unit, std::string_view layout) {
  begin_statement(unit, Direction::writing);
  Layout& pool = pool_ ? *pool_ : pool_.emplace();
  parse_format(layout, pool);
  st_write(unit, pool.view());
}

void Console::st_read(int unit) {
  assert(unit == kInputUnit);
  begin_statement(unit, Direction::reading);
  reader_.begin(input_);
}

void Console::end_statement() {
  if (direction_ == Direction::writing) {
    writer_.end();
  } else {
    reader_.finish_list_read();
  }
  direction_ = Direction::none;
  clear_locus();
}

void Console::transfer(const TransferItem& item) {
  if (direction_ == Direction::writing) {
    writer_.write_item(item);
  } else {
    reader_.list_formatted_read(item);
  }
}

int Console::close_units() {
  int error = output_.close();
  int error_of_unit0 = error_output_.close();
  return error != 0 ? error : error_of_unit0;
}

Console& console() {
  if (!the_console) runtime_start(0, nullptr);
  return *the_console;
}

Console& start_console(Platform& platform, std::size_t record_limit) {
  return the_console.emplace(platform, record_limit);
}

}  // namespace orbcalc
