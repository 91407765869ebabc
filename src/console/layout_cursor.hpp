// Walks a parsed layout item by item, repeating fields and groups, and
// restarts it when the end is reached while items remain.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "console/layout_parse.hpp"

namespace orbcalc {

class LayoutCursor {
 public:
  // Starts at the beginning of `layout`, whose items must outlive the
  // cursor's use.
  void reset(const LayoutView& layout);

  // The next item: a pushed-back one first, then the items in order. At
  // the end of the layout, when a data field was given since the last
  // restart, it restarts, sets the record-break-pending flag and returns
  // the end-of-layout marker (`at_end()`); otherwise it returns nullptr.
  const LayoutItem* next_format();
  void unget_format(const LayoutItem* item) { pushed_back_ = item; }

  bool at_end(const LayoutItem* item) const { return item == &end_marker_; }

  bool record_break_pending() const { return record_break_pending_; }
  void clear_record_break_pending() { record_break_pending_ = false; }

 private:
  struct Frame {
    std::int32_t group;
    std::int32_t child;
    std::int32_t iteration;
    std::int32_t yielded;
  };

  const LayoutItem* advance();
  void enter_group(std::int32_t group);
  const LayoutItem& item(std::int32_t index) const { return items_[static_cast<std::size_t>(index)]; }

  const LayoutItem* items_ = nullptr;
  // Groups nest at most as deep as a layout has items.
  std::array<Frame, kItemPoolSize> frames_;
  std::size_t depth_ = 0;
  const LayoutItem* pushed_back_ = nullptr;
  bool data_field_seen_ = true;
  bool record_break_pending_ = false;
  LayoutItem end_marker_;
};

}  // namespace orbcalc
