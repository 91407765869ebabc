// The console text layer of a run as one object: the platform it works
// on, the three console units, the statement locus, the fatal guard and
// the statement in progress with its interpreter or reader. The routines
// of runtime.hpp and statement.hpp are the entry points into it.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "console/input_unit.hpp"
#include "console/item.hpp"
#include "console/layout_run.hpp"
#include "console/layout_writer.hpp"
#include "console/list_reader.hpp"
#include "console/output_unit.hpp"
#include "console/platform.hpp"

namespace orbcalc {

class Console {
 public:
  // Creates console units 5, 6 and 0 on the platform's standard streams.
  Console(Platform& platform, std::size_t record_limit);

  Platform& platform() const { return platform_; }

  // The statement locus: set before a console statement starts, cleared
  // when it has finished without failure.
  void set_locus(int line) {
    locus_line_ = line;
    locus_unit_ = kNoUnit;
  }
  void set_current_unit(int unit) { locus_unit_ = unit; }
  void clear_locus() { set_locus(kNoLine); }
  int locus_line() const { return locus_line_; }
  int locus_unit() const { return locus_unit_; }
  static constexpr int kNoLine = 0;
  static constexpr int kNoUnit = -1;

  // The fatal guard: false once a fatal path has been entered before.
  bool enter_fatal_path() {
    if (fatal_guard_) return false;
    fatal_guard_ = true;
    return true;
  }

  void st_write(int unit, const LayoutView& layout);
  // A layout that is only known at run time, parsed into the pool.
  void st_write(int unit, std::string_view layout);
  void st_read(int unit);
  void transfer(const TransferItem& item);
  // st_write_done and st_read_done.
  void end_statement();

  // Closes every unit, handing output still held to the system. Returns
  // the system's error code when some of it was refused (and is now lost),
  // or 0.
  int close_units();

  // Output held for standard output is written out from a fault handler.
  void flush_from_fault() { output_.flush_stream(); }

 private:
  enum class Direction { none, writing, reading };

  void begin_statement(int unit, Direction direction);

  Platform& platform_;
  InputUnit input_;
  OutputUnit output_;
  OutputUnit error_output_;
  int locus_line_ = kNoLine;
  int locus_unit_ = kNoUnit;
  bool fatal_guard_ = false;
  Direction direction_ = Direction::none;
  // Made only for a layout given as text: the program's own are parsed.
  std::optional<Layout> pool_;
  LayoutWriter writer_;
  ListReader reader_;
};

// The console of the run; a console statement that finds none starts one
// on the system's platform.
Console& console();

// Makes a fresh console the console of the run, in place of any earlier one.
Console& start_console(Platform& platform, std::size_t record_limit);

}  // namespace orbcalc
