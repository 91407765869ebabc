#include "console/runtime.hpp"

#include <charconv>
#include <new>
#include <string>

#include "console/error_print.hpp"
#include "console/fpu.hpp"
#include "console/platform.hpp"
#include "console/units.hpp"

namespace orbcalc {
namespace {

constexpr std::string_view kSourceUnit = "orbcalc";
constexpr std::string_view kTracebackNotice =
    "Traceback: not available, compile with call tracing, which orbcalc does not offer\n";
constexpr int kNoLine = 0;
constexpr int kNoUnit = -1;

struct RuntimeState {
  Platform* platform = nullptr;
  bool started = false;
  bool fatal_guard = false;
  int locus_line = kNoLine;
  int locus_unit = kNoUnit;
  int argc = 0;
  char** argv = nullptr;
};

RuntimeState state;

// Called by operator new when memory cannot be had: the run ends there and
// then, with the locus of the statement that needed it. This needs no
// exceptions, so every build, with them or without, fails the same way.
void memory_exhausted() { os_error(kMemoryAllocationFailed); }

}  // namespace

void runtime_start(int argc, char** argv, Platform& platform, std::size_t record_limit) {
  state = RuntimeState{.platform = &platform, .argc = argc, .argv = argv};
  std::set_new_handler(memory_exhausted);
  init_units(record_limit);
  init_fpu();
  platform.install_fault_handler();
  state.started = true;
}

void runtime_start(int argc, char** argv) { runtime_start(argc, argv, system_platform()); }

bool runtime_started() { return state.started; }

Platform& runtime_platform() { return state.platform != nullptr ? *state.platform : system_platform(); }

int runtime_stop() {
  state.started = false;
  return close_units();
}

void set_locus(int line) {
  state.locus_line = line;
  state.locus_unit = kNoUnit;
}

void set_current_unit(int unit) { state.locus_unit = unit; }

void clear_locus() {
  state.locus_line = kNoLine;
  state.locus_unit = kNoUnit;
}

void stop_run() {
  // Output the system still refuses at the end is lost output: the run
  // must not end as if it had succeeded.
  int error = runtime_stop();
  if (error != 0) generate_error(kOsError, runtime_platform().error_text(error));
  sys_exit(kStatusNormal);
}

std::string_view error_text(int kind) {
  switch (kind) {
    case kEndOfFile: return "End of file";
    case kFormatError: return "FORMAT error";
    case kBadValue: return "Bad value during read";
    case kReadPastRecord: return "Reading more data than the record size (RECL)";
    case kWritePastRecord: return "Writing more data than the record size (RECL)";
    default: return "Unknown error code";
  }
}

void generate_error(int kind, std::string_view detail) {
  runtime_error(detail.empty() ? error_text(kind) : detail);
}

void runtime_error(std::string_view reason) {
  recursion_check();
  show_locus();
  // Output refused now is lost; the run ends as a failure all the same,
  // and reporting it would only fail once more.
  close_units();
  error_print("Merovan runtime error: %s\n", {reason});
  sys_exit(kStatusRunError);
}

void os_error(std::string_view reason) {
  recursion_check();
  close_units();
  show_locus();
  std::string system_text = runtime_platform().error_text(runtime_platform().out_of_memory_error());
  error_print("Operating system error: %s\n%s\n", {system_text, reason});
  sys_exit(kStatusMemory);
}

void show_locus() {
  if (state.locus_line != kNoLine) {
    if (state.locus_unit != kNoUnit) {
      char unit[16];
      char* end = std::to_chars(unit, unit + sizeof unit, state.locus_unit).ptr;
      error_print("At line %d of file %s (Unit %s)\n",
                  {state.locus_line, kSourceUnit, std::string_view(unit, static_cast<std::size_t>(end - unit))});
    } else {
      error_print("At line %d of file %s", {state.locus_line, kSourceUnit});
      error_print("\n");
    }
  }
  error_print(kTracebackNotice);
}

void recursion_check() {
  if (state.fatal_guard) sys_exit(kStatusRecursion);
  state.fatal_guard = true;
}

void handle_fpe(std::string_view fault_name) {
  error_print("Exception: %s\n", {fault_name});
  show_locus();
  flush_units_from_fault();
  runtime_platform().exit_from_fault(kStatusFault);
  __builtin_unreachable();  // the platform's exits do not return
}

void sys_exit(int status) {
  runtime_platform().exit(status);
  __builtin_unreachable();  // the platform's exits do not return
}

void warn(std::string_view message) { error_print("%s\n", {message}); }

}  // namespace orbcalc
