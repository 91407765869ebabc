#include "console/layout_writer.hpp"

#include "console/fields.hpp"
#include "console/layout_run.hpp"
#include "console/output_unit.hpp"

namespace orbcalc {
namespace {

constexpr std::string_view kExhausted = "Exhausted data descriptors in format";
constexpr std::string_view kTypeMismatch = "Expected %s for item %d in formatted transfer, got %s";

// The data fields stand in LayoutKind in the order of ItemType.
ItemType field_type(const LayoutItem& field) {
  return static_cast<ItemType>(static_cast<int>(field.kind) - static_cast<int>(LayoutKind::integer_field));
}

}  // namespace

void LayoutWriter::begin(OutputUnit& unit, const LayoutView& layout) {
  unit_ = &unit;
  layout_ = layout;
  item_number_ = 0;
  cursor_.reset(layout);
  unit.start_record();
  formatted_transfer(nullptr);
}

void LayoutWriter::write_item(const TransferItem& item) {
  ++item_number_;
  formatted_transfer(&item);
}

void LayoutWriter::end() { unit_->next_record(); }

void LayoutWriter::render(const LayoutItem& field, const TransferItem& item) {
  if (field_type(field) != type_of(item)) {
    format_error(message(kTypeMismatch, {type_name(field_type(field)), item_number_, type_name(type_of(item))}),
                 layout_.text, field.source);
  }
  if (const auto* integer = std::get_if<std::int32_t*>(&item)) {
    std::size_t w = static_cast<std::size_t>(field.width);
    write_i({unit_->write_block(w), w}, **integer, field.digits);
  } else if (const auto* real = std::get_if<float*>(&item)) {
    std::size_t w = static_cast<std::size_t>(field.width);
    write_f({unit_->write_block(w), w}, **real, field.digits);
  } else {
    std::span<char> text = std::get<std::span<char>>(item);
    std::size_t w = field.width < 0 ? text.size() : static_cast<std::size_t>(field.width);
    write_a({unit_->write_block(w), w}, {text.data(), text.size()});
  }
}

void LayoutWriter::carry_out(const LayoutItem& control) {
  switch (control.kind) {
    case LayoutKind::literal: copy_literal(layout_.text, control, unit_->write_block(control.text_length)); return;
    case LayoutKind::position_skip: unit_->move_character_position(static_cast<std::size_t>(control.repeat)); return;
    case LayoutKind::record_break:
      for (std::int32_t n = 0; n < control.repeat; ++n) unit_->next_record();
      return;
    default: return;
  }
}

void LayoutWriter::formatted_transfer(const TransferItem* item) {
  for (;;) {
    const LayoutItem* next = cursor_.next_format();
    if (next == nullptr) {
      if (item != nullptr) format_error(kExhausted, layout_.text, layout_.last_read);
      return;
    }
    if (cursor_.record_break_pending() && item != nullptr) {
      cursor_.clear_record_break_pending();
      unit_->next_record();
    }
    if (cursor_.at_end(next)) {
      if (item == nullptr) return;
      continue;
    }
    if (!is_data_field(*next)) {
      carry_out(*next);
      continue;
    }
    if (item == nullptr) {
      cursor_.unget_format(next);
      return;
    }
    render(*next, *item);
    item = nullptr;
  }
}

}  // namespace orbcalc
