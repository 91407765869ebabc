// The interpreter of a write statement: it walks the layout, carries out
// literals, skips and record breaks, and renders each item into its field.
#include <cstring>
#include <string>

#include "console/fields.hpp"
#include "console/layout_cursor.hpp"
#include "console/layout_parse.hpp"
#include "console/output_unit.hpp"
#include "console/runtime.hpp"
#include "console/statement_state.hpp"

namespace orbcalc {
namespace {

constexpr std::string_view kExhausted = "Exhausted data descriptors in format";

struct WriteStatement {
  OutputUnit* unit = nullptr;
  Layout layout;
  LayoutCursor cursor;
  int item_number = 0;
};

WriteStatement statement;

ItemType field_type(const LayoutItem& field) {
  switch (field.kind) {
    case LayoutKind::integer_field: return ItemType::integer;
    case LayoutKind::real_field: return ItemType::real;
    default: return ItemType::character;
  }
}

[[noreturn]] void type_mismatch(const LayoutItem& field, const TransferItem& item) {
  std::string message = "Expected " + std::string(type_name(field_type(field))) + " for item " +
                        std::to_string(statement.item_number) + " in formatted transfer, got " +
                        std::string(type_name(item.type));
  format_error(message, statement.layout, field.source);
}

void render(const LayoutItem& field, const TransferItem& item) {
  if (field_type(field) != item.type) type_mismatch(field, item);
  OutputUnit& unit = *statement.unit;
  switch (field.kind) {
    case LayoutKind::integer_field: {
      std::int32_t value;
      std::memcpy(&value, item.address, sizeof value);
      std::size_t w = static_cast<std::size_t>(field.width);
      write_i({unit.write_block(w), w}, value, field.digits);
      return;
    }
    case LayoutKind::real_field: {
      float value;
      std::memcpy(&value, item.address, sizeof value);
      std::size_t w = static_cast<std::size_t>(field.width);
      write_f({unit.write_block(w), w}, value, static_cast<int>(field.digits));
      return;
    }
    default: {
      std::size_t w = field.width < 0 ? item.length : static_cast<std::size_t>(field.width);
      write_a({unit.write_block(w), w}, {static_cast<const char*>(item.address), item.length});
      return;
    }
  }
}

void carry_out(const LayoutItem& control) {
  OutputUnit& unit = *statement.unit;
  switch (control.kind) {
    case LayoutKind::literal:
      copy_literal(statement.layout, control, unit.write_block(control.text_length));
      return;
    case LayoutKind::position_skip:
      unit.move_character_position(static_cast<std::size_t>(control.repeat));
      return;
    case LayoutKind::record_break:
      for (std::int64_t n = 0; n < control.repeat; ++n) unit.next_record();
      return;
    default: return;
  }
}

// Runs the layout until it needs an item it does not have: once with no
// item when the statement opens, then once per item.
void formatted_transfer(const TransferItem* item) {
  LayoutCursor& cursor = statement.cursor;
  for (;;) {
    const LayoutItem* next = cursor.next_format();
    if (next == nullptr) {
      if (item != nullptr) format_error(kExhausted, statement.layout, statement.layout.last_read);
      return;
    }
    if (cursor.record_break_pending() && item != nullptr) {
      cursor.clear_record_break_pending();
      statement.unit->next_record();
    }
    if (cursor.at_end(next)) {
      if (item == nullptr) return;
      continue;
    }
    if (!is_data_field(*next)) {
      carry_out(*next);
      continue;
    }
    if (item == nullptr) {
      cursor.unget_format(next);
      return;
    }
    render(*next, *item);
    item = nullptr;
  }
}

}  // namespace

void begin_write(OutputUnit& unit, std::string_view layout) {
  statement.unit = &unit;
  statement.item_number = 0;
  parse_format(layout, statement.layout);
  statement.cursor.reset(statement.layout);
  unit.start_record();
  formatted_transfer(nullptr);
}

void write_item(const TransferItem& item) {
  ++statement.item_number;
  formatted_transfer(&item);
}

void end_write() { statement.unit->next_record(); }

}  // namespace orbcalc
