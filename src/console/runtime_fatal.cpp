// The one fatal path of a run: the locus, the traceback notice and the
// reason on standard error, then the exit with the status of the failure.
// It closes the console's units on its way, so it sits above the console.
#include "console/console.hpp"
#include "console/error_print.hpp"
#include "console/platform.hpp"
#include "console/runtime.hpp"

namespace orbcalc {
namespace {

constexpr std::string_view kSourceUnit = "orbcalc";
constexpr std::string_view kTracebackNotice =
    "Traceback: not available, compile with call tracing, which orbcalc does not offer\n";

}  // namespace

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

void generate_error(int kind, std::string_view detail) { runtime_error(detail.empty() ? error_text(kind) : detail); }

void runtime_error(std::string_view reason) {
  recursion_check();
  show_locus();
  // Output refused now is lost; the run ends as a failure all the same,
  // and reporting it would only fail once more.
  console().close_units();
  error_print("Merovan runtime error: %s\n", {reason});
  sys_exit(kStatusRunError);
}

void os_error(std::string_view reason) {
  recursion_check();
  console().close_units();
  show_locus();
  Platform& platform = runtime_platform();
  error_print("Operating system error: %s\n%s\n", {platform.error_text(platform.out_of_memory_error()), reason});
  sys_exit(kStatusMemory);
}

void show_locus() {
  const Console& locus = console();
  if (locus.locus_line() != Console::kNoLine) {
    if (locus.locus_unit() != Console::kNoUnit) {
      error_print("At line %d of file %s (Unit %d)\n", {locus.locus_line(), kSourceUnit, locus.locus_unit()});
    } else {
      error_print("At line %d of file %s", {locus.locus_line(), kSourceUnit});
      error_print("\n");
    }
  }
  error_print(kTracebackNotice);
}

void recursion_check() {
  if (!console().enter_fatal_path()) sys_exit(kStatusRecursion);
}

void handle_fpe(std::string_view fault_name) {
  error_print("Exception: %s\n", {fault_name});
  show_locus();
  console().flush_from_fault();
  runtime_platform().exit_from_fault(kStatusFault);
  __builtin_unreachable();  // the platform's exits do not return
}

void sys_exit(int status) {
  runtime_platform().exit(status);
  __builtin_unreachable();  // the platform's exits do not return
}

void warn(std::string_view message) { error_print("%s\n", {message}); }

}  // namespace orbcalc
