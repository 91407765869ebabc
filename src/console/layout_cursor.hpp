// Walks a parsed layout item by item, repeating fields and groups, and
// restarts it when the end is reached while items remain.
#pragma once

#include <cstdint>
#include <vector>

#include "console/layout_parse.hpp"

namespace orbcalc {

class LayoutCursor {
 public:
  // Starts at the beginning of `layout`, which must outlive the cursor's use.
  void reset(const Layout& layout);

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
    int group;
    int child;
    std::int64_t iteration;
    std::int64_t yielded;
  };

  const LayoutItem* advance();
  void enter_group(int group);
  const LayoutItem& item(int index) const {
    return layout_->items[static_cast<std::size_t>(index)];
  }

  const Layout* layout_ = nullptr;
  std::vector<Frame> frames_;
  const LayoutItem* pushed_back_ = nullptr;
  bool data_field_seen_ = true;
  bool record_break_pending_ = false;
  LayoutItem end_marker_;
};

}  // namespace orbcalc
