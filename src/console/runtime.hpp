// The ground of the console layer: unit numbers, error kinds, exit statuses
// and the entry points of start-up, stop and the one fatal path. It includes
// nothing of the console, so every part of the layer may include it; the
// routines are defined above the console, in runtime_start.cpp and
// runtime_fatal.cpp.
#pragma once

#include <cstddef>
#include <string_view>

namespace orbcalc {

class Platform;

inline constexpr int kInputUnit = 5;
inline constexpr int kOutputUnit = 6;
inline constexpr int kErrorUnit = 0;

// The record length limit of every console unit, for input lines and
// output records alike.
inline constexpr std::size_t kRecordLengthLimit = 1000000000;

enum ErrorKind : int {
  kEndOfFile = -1,
  kOsError = 1,
  kFormatError = 205,
  kBadValue = 208,
  kReadPastRecord = 215,
  kWritePastRecord = 216
};

// The one reason this program hands to os_error.
inline constexpr std::string_view kMemoryAllocationFailed = "Memory allocation failed";

enum ExitStatus : int {
  kStatusNormal = 0,
  kStatusMemory = 1,
  kStatusRunError = 2,
  kStatusRecursion = 4,
  kStatusFault = 95
};

// Makes a fresh console on the platform, with console units 5, 6 and 0
// on its standard streams, sets the floating-point environment and
// installs the fault handler. The arguments are not used. Calling it again
// starts afresh with a new console, which is what tests do to run many
// dialogues in one process.
void runtime_start(int argc, char** argv, Platform& platform, std::size_t record_limit = kRecordLengthLimit);
void runtime_start(int argc, char** argv);

// Closes the console units. Returns the system's error code when output
// still held could not be handed over, or 0.
int runtime_stop();

// The platform every console unit and every diagnostic goes through.
Platform& runtime_platform();

// Records the line number of the console statement about to start in the
// statement locus.
void set_locus(int line);
// Records the unit the statement in progress works on.
void set_current_unit(int unit);

[[noreturn]] void stop_run();
[[noreturn]] void generate_error(int kind, std::string_view detail = {});
[[noreturn]] void runtime_error(std::string_view reason);
[[noreturn]] void os_error(std::string_view reason);
std::string_view error_text(int kind);
void show_locus();
void recursion_check();
[[noreturn]] void handle_fpe(std::string_view fault_name);
[[noreturn]] void sys_exit(int status);

// One line on standard error about something the run survives; the run
// goes on and its exit status is not touched.
void warn(std::string_view message);

}  // namespace orbcalc
