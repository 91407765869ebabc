// An in-memory platform for driving the console layer in tests: standard
// input from a string (in chunks of a chosen size), standard output and
// standard error captured with the boundaries of every write, injected
// failures, and an exit that throws instead of ending the process.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "console/platform.hpp"

namespace orbcalc::testing {

// Thrown where the process would end.
struct ProcessExit {
  int status;
};

class MemoryPlatform final : public Platform {
 public:
  explicit MemoryPlatform(std::string input = {}) : input_(std::move(input)) {}

  // Reads hand out at most this many bytes each.
  void set_read_chunk(std::size_t bytes) { read_chunk_ = bytes; }
  // Every read fails with this error code.
  void fail_reads(int error) { read_error_ = error; }
  // Writes to standard output fail with this error code once `after`
  // more bytes have been taken.
  void fail_output(int error, std::size_t after = 0) {
    output_error_ = error;
    output_budget_ = after;
  }

  // Writes to standard output succeed again.
  void heal_output() { output_error_ = 0; }

  const std::string& output() const { return output_; }
  const std::string& errors() const { return errors_; }
  // Each successful write to standard output, as it arrived.
  const std::vector<std::string>& output_writes() const { return output_writes_; }
  int read_calls() const { return read_calls_; }

  IoResult read(StdStream stream, std::span<char> into) override;
  IoResult write(StdStream stream, std::span<const char> bytes) override;
  std::string error_text(int error) override;
  int out_of_memory_error() override { return kOutOfMemory; }
  void install_fault_handler() override {}
  [[noreturn]] void exit(int status) override { throw ProcessExit{status}; }
  [[noreturn]] void exit_from_fault(int status) override { throw ProcessExit{status}; }

  static constexpr int kOutOfMemory = 12;

 private:
  std::string input_;
  std::size_t consumed_ = 0;
  std::size_t read_chunk_ = 16384;
  int read_error_ = 0;
  int read_calls_ = 0;
  int output_error_ = 0;
  std::size_t output_budget_ = 0;
  std::string output_;
  std::string errors_;
  std::vector<std::string> output_writes_;
};

// The outcome of running some console statements on a memory platform.
struct RunResult {
  int status = -1;  // -1: ran to its end without ending the process
  std::string output;
  std::string errors;
};

}  // namespace orbcalc::testing
