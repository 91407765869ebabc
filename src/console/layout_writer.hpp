// The interpreter of a write statement: it walks the parsed layout,
// carries out literals, skips and record breaks, and renders each item
// into its field.
#pragma once

#include "console/item.hpp"
#include "console/layout_cursor.hpp"
#include "console/layout_parse.hpp"

namespace orbcalc {

class OutputUnit;

class LayoutWriter {
 public:
  // st_write: a fresh record, then the layout up to its first data field.
  void begin(OutputUnit& unit, const LayoutView& layout);
  // One item of the statement.
  void write_item(const TransferItem& item);
  // st_write_done: the current record is emitted with its terminator.
  void end();

 private:
  // Runs the layout until it needs an item it does not have: once with no
  // item when the statement opens, then once per item.
  void formatted_transfer(const TransferItem* item);
  void carry_out(const LayoutItem& control);
  void render(const LayoutItem& field, const TransferItem& item);

  OutputUnit* unit_ = nullptr;
  LayoutView layout_;
  LayoutCursor cursor_;
  int item_number_ = 0;
};

}  // namespace orbcalc
