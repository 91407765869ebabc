// The items of a console statement: a 4-byte integer, a 4-byte real or a
// text, each given by where it lives, so that a read can store into it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

namespace orbcalc {

// In the order of the alternatives of TransferItem.
enum class ItemType { integer, real, character };

using TransferItem = std::variant<std::int32_t*, float*, std::span<char>>;

inline ItemType type_of(const TransferItem& item) { return static_cast<ItemType>(item.index()); }

// The type word of a diagnostic.
constexpr std::string_view type_name(ItemType type) {
  constexpr std::string_view kNames[] = {"INTEGER", "REAL", "CHARACTER"};
  return kNames[static_cast<int>(type)];
}

}  // namespace orbcalc
