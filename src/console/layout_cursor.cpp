#include "console/layout_cursor.hpp"

namespace orbcalc {

void LayoutCursor::reset(const LayoutView& layout) {
  items_ = layout.items.data();
  depth_ = 0;
  enter_group(0);
  pushed_back_ = nullptr;
  // The first arrival at the end always counts as having seen a field.
  data_field_seen_ = true;
  record_break_pending_ = false;
}

void LayoutCursor::enter_group(std::int32_t group) { frames_[depth_++] = {group, item(group).first_child, 0, 0}; }

const LayoutItem* LayoutCursor::next_format() {
  if (pushed_back_ != nullptr) {
    const LayoutItem* given = pushed_back_;
    pushed_back_ = nullptr;
    if (is_data_field(*given)) data_field_seen_ = true;
    return given;
  }
  const LayoutItem* given = advance();
  if (given != nullptr) return given;

  // The end of the whole layout.
  if (!data_field_seen_) return nullptr;
  // Resume at the last group that stands directly in the outer
  // parentheses, or at the start when there is none.
  std::int32_t restart = kNoChild;
  for (std::int32_t child = item(0).first_child; child != kNoChild; child = item(child).next_sibling) {
    if (item(child).kind == LayoutKind::group) restart = child;
  }
  depth_ = 0;
  enter_group(0);
  if (restart != kNoChild) {
    frames_[0].child = restart;
    enter_group(restart);
  }
  record_break_pending_ = true;
  data_field_seen_ = false;
  pushed_back_ = advance();
  return &end_marker_;
}

// The next item in order, or nullptr at the end of the whole layout.
const LayoutItem* LayoutCursor::advance() {
  while (depth_ > 0) {
    Frame& frame = frames_[depth_ - 1];
    if (frame.child == kNoChild) {
      const LayoutItem& group = item(frame.group);
      if (++frame.iteration < group.repeat && group.first_child != kNoChild) {
        frame.child = group.first_child;
        continue;
      }
      if (--depth_ == 0) return nullptr;
      Frame& parent = frames_[depth_ - 1];
      parent.child = item(parent.child).next_sibling;
      continue;
    }
    const LayoutItem& current = item(frame.child);
    if (current.kind == LayoutKind::group) {
      enter_group(frame.child);
      continue;
    }
    if (is_data_field(current) && frame.yielded < current.repeat) {
      ++frame.yielded;
      data_field_seen_ = true;
      return &current;
    }
    if (!is_data_field(current) && frame.yielded == 0) {
      frame.yielded = 1;
      return &current;
    }
    frame.yielded = 0;
    frame.child = current.next_sibling;
  }
  return nullptr;
}

}  // namespace orbcalc
