// TEMPORARY stub until the real conversion lands.
#pragma once
#include <string>
#include <string_view>
namespace orbcalc {
float convert_real(std::string_view scanned);
}
