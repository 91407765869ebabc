#include "console/statement.hpp"

#include "console/runtime.hpp"
#include "console/statement_state.hpp"
#include "console/units.hpp"

namespace orbcalc {
namespace {

enum class Direction { none, writing, reading };
Direction direction = Direction::none;

void ensure_started() {
  if (!runtime_started()) runtime_start(0, nullptr);
}

void transfer(const TransferItem& item) {
  if (direction == Direction::writing) {
    write_item(item);
  } else {
    read_item(item);
  }
}

}  // namespace

std::string_view type_name(ItemType type) {
  switch (type) {
    case ItemType::integer: return "INTEGER";
    case ItemType::real: return "REAL";
    case ItemType::character: return "CHARACTER";
  }
  return "";
}

void st_write(int unit, std::string_view layout) {
  ensure_started();
  set_current_unit(unit);
  direction = Direction::writing;
  begin_write(output_unit(unit), layout);
}

void st_write_done() {
  end_write();
  direction = Direction::none;
  clear_locus();
}

void st_read(int unit) {
  ensure_started();
  set_current_unit(unit);
  direction = Direction::reading;
  begin_read(input_unit(unit));
}

void st_read_done() {
  end_read();
  direction = Direction::none;
  clear_locus();
}

void reject_answer(int line, std::string_view reason) {
  set_locus(line);
  set_current_unit(kInputUnit);
  generate_error(kBadValue, reason);
}

void transfer_integer(std::int32_t& item) {
  transfer({ItemType::integer, &item, sizeof item});
}

void transfer_real(float& item) { transfer({ItemType::real, &item, sizeof item}); }

void transfer_character(std::span<char> item) {
  transfer({ItemType::character, item.data(), item.size()});
}

}  // namespace orbcalc
