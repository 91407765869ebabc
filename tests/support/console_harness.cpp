#include "support/console_harness.hpp"

#include "model/molmodel.hpp"
#include "run/orbcalc.hpp"

namespace orbcalc::testing {

RunResult run_console(MemoryPlatform& platform, const std::function<void()>& body, std::size_t record_limit) {
  runtime_start(0, nullptr, platform, record_limit);  // a fresh console, nothing left from earlier runs
  RunResult result;
  try {
    body();
  } catch (const ProcessExit& exit) {
    result.status = exit.status;
  }
  result.output = platform.output();
  result.errors = platform.errors();
  return result;
}

RunResult run_console(std::string input, const std::function<void()>& body) {
  MemoryPlatform platform(std::move(input));
  return run_console(platform, body);
}

RunResult run_program(MemoryPlatform& platform, std::size_t record_limit) {
  molmodel = {};
  return run_console(platform, orbcalc_main, record_limit);
}

RunResult run_program(std::string input) {
  MemoryPlatform platform(std::move(input));
  return run_program(platform);
}

std::string record(std::string_view bytes) { return std::string(bytes) + "\r\n"; }

}  // namespace orbcalc::testing
