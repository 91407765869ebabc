#include "console/statement.hpp"

#include "console/console.hpp"

namespace orbcalc {

void st_write(int unit, const LayoutView& layout) { console().st_write(unit, layout); }
void st_write(int unit, std::string_view layout) { console().st_write(unit, layout); }
void st_write_done() { console().end_statement(); }
void st_read(int unit) { console().st_read(unit); }
void st_read_done() { console().end_statement(); }

void transfer_integer(std::int32_t& item) { console().transfer(&item); }
void transfer_real(float& item) { console().transfer(&item); }
void transfer_character(std::span<char> item) { console().transfer(item); }

void reject_answer(const ReadStatement& statement, std::string_view reason) {
  set_locus(statement.line);
  set_current_unit(kInputUnit);
  generate_error(kBadValue, reason);
}

}  // namespace orbcalc
