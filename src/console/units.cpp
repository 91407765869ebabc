#include "console/units.hpp"

#include <cassert>
#include <optional>

#include "console/input_unit.hpp"
#include "console/output_unit.hpp"
#include "console/runtime.hpp"

namespace orbcalc {
namespace {

std::optional<InputUnit> unit5;
std::optional<OutputUnit> unit6;
std::optional<OutputUnit> unit0;

int close_output(std::optional<OutputUnit>& unit) {
  if (!unit) return 0;
  int error = unit->stream().flush_stream();
  unit.reset();
  return error;
}

}  // namespace

void init_units(std::size_t record_limit) {
  unit5.reset();
  unit6.reset();
  unit0.reset();
  unit5.emplace(kInputUnit, StdStream::input, record_limit);
  unit6.emplace(kOutputUnit, StdStream::output, record_limit);
  unit0.emplace(kErrorUnit, StdStream::error, record_limit);
}

int close_units() {
  unit5.reset();
  int error = close_output(unit6);
  int error_of_unit0 = close_output(unit0);
  return error != 0 ? error : error_of_unit0;
}

OutputUnit& output_unit(int number) {
  std::optional<OutputUnit>& unit = number == kErrorUnit ? unit0 : unit6;
  assert(unit && unit->number() == number);
  return *unit;
}

InputUnit& input_unit([[maybe_unused]] int number) {
  assert(unit5 && number == kInputUnit);
  return *unit5;
}

void flush_units_from_fault() {
  if (unit6) unit6->stream().flush_stream();
}

}  // namespace orbcalc
