// The operating system as the console layer sees it: three standard
// streams of raw bytes, the text of a system error, the fault hook and the
// end of the process. Nothing above this interface knows which system it
// runs on, and tests drive the layer through an in-memory implementation.
#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace orbcalc {

enum class StdStream { input, output, error };

// The bytes a read or write moved, or the system's error code. A read that
// reports no bytes and no error is the end of the input.
struct IoResult {
  std::size_t count = 0;
  int error = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  virtual IoResult read(StdStream stream, std::span<char> into) = 0;
  virtual IoResult write(StdStream stream, std::span<const char> bytes) = 0;

  // The system's own description of an error code.
  virtual std::string error_text(int error) = 0;

  // The error code that stands for memory that cannot be had.
  virtual int out_of_memory_error() = 0;

  // Routes processor faults to handle_fpe and keeps a closed pipe from
  // ending the process silently.
  virtual void install_fault_handler() = 0;

  // Ends the process after running the registered exit handlers.
  [[noreturn]] virtual void exit(int status) = 0;

  // Ends the process at once, from a fault where no handler may run.
  [[noreturn]] virtual void exit_from_fault(int status) = 0;
};

// The platform of the machine the program runs on.
Platform& system_platform();

}  // namespace orbcalc
