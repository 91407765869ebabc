// A test-only WebAssembly program for what only a module run by node shows:
// traps reported as processor faults, and memory that cannot be had. The
// first argument names the check:
//
//   unreachable            start the console layer, then trap
//   out_of_bounds_in_read  inside a read statement, write beyond the memory
//   integer_division       start, then divide an integer by zero
//   stack_overflow         start, then recurse until the stack is gone
//   memory_exhausted       inside a read statement, allocate until the
//                          memory cannot grow any more
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "console/runtime.hpp"

namespace {

constexpr int kReadStatementLine = 14;
constexpr int kFailed = 3;

void start_read_statement() {
  orbcalc::set_locus(kReadStatementLine);
  orbcalc::set_current_unit(orbcalc::kInputUnit);
}

// Each call keeps a page of its own on the stack; the volatile limit is
// never reached.
volatile int recursion_limit = 1 << 30;

int recurse_deeply(int depth) {
  volatile char page[4096];
  page[0] = static_cast<char>(depth);
  if (depth >= recursion_limit) return 0;
  return recurse_deeply(depth + 1) + page[0];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return kFailed;
  const std::string_view check = argv[1];
  orbcalc::runtime_start(argc, argv);
  if (check == "unreachable") {
    __builtin_trap();
  } else if (check == "out_of_bounds_in_read") {
    start_read_statement();
    volatile std::uintptr_t beyond = 0xFFFFFFF0u;
    *reinterpret_cast<volatile int*>(beyond) = 1;
  } else if (check == "integer_division") {
    volatile int zero = 0;
    volatile int quotient = 7 / zero;
    (void)quotient;
  } else if (check == "stack_overflow") {
    recurse_deeply(0);
  } else if (check == "memory_exhausted") {
    start_read_statement();
    for (;;) {
      volatile char* block = new char[std::size_t{64} << 20];
      block[0] = 1;
    }
  }
  std::fprintf(stderr, "the check %s did not end the run\n", argv[1]);
  return kFailed;
}
