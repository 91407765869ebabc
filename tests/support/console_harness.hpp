// Runs console statements, or the whole calculation, on a fresh console
// layer over an in-memory platform, and collects what they wrote.
#pragma once

#include <functional>
#include <string>

#include "console/runtime.hpp"
#include "support/memory_platform.hpp"

namespace orbcalc::testing {

RunResult run_console(MemoryPlatform& platform, const std::function<void()>& body,
                      std::size_t record_limit = kRecordLengthLimit);
RunResult run_console(std::string input, const std::function<void()>& body);

// The whole program on these answers, with a fresh work record.
RunResult run_program(std::string input);
RunResult run_program(MemoryPlatform& platform, std::size_t record_limit = kRecordLengthLimit);

// The second line of every fatal diagnostic.
inline const std::string kTraceback =
    "Traceback: not available, compile with call tracing, which orbcalc does not offer\n";

// The bytes a record of these bytes reaches the output as.
std::string record(std::string_view bytes);

}  // namespace orbcalc::testing
