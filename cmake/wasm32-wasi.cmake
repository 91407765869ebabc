# Cross build for WebAssembly with WASI (wasm32-wasi), with Debian's clang 14
# and the packages wasi-libc, libc++-14-dev-wasm32, libc++abi-14-dev-wasm32,
# libclang-rt-14-dev-wasm32 and lld-14. The module runs under node (18.17 or
# later) through cmake/wasi-run.mjs, which CMake and the test runner start
# as the emulator.
#
# This C++ library has no exceptions (a failed allocation goes to the new
# handler, which every build installs) and no float std::from_chars (the
# build takes strtof instead; see src/console/CMakeLists.txt).
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CMAKE_SYSTEM_NAME WASI)
set(CMAKE_SYSTEM_PROCESSOR wasm32)

set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# wasi-libc and the wasm32 libc++ live under /usr/include/wasm32-wasi and
# /usr/lib/wasm32-wasi, where clang looks with this root. With it clang
# would also search the build machine's own headers under /usr/include:
# only the target's are named, in the order clang gives its own.
set(CMAKE_SYSROOT /usr)
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions -nostdlibinc -nostdinc++ -isystem /usr/include/wasm32-wasi/c++/v1 -idirafter /usr/include/wasm32-wasi")
set(CMAKE_C_FLAGS_INIT "-nostdlibinc -idirafter /usr/include/wasm32-wasi")
# The stack below the data: a stack that overflows runs off the bottom of
# memory and traps, instead of overwriting the static data.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--stack-first -Wl,-z,stack-size=1048576 -Wno-unused-command-line-argument")

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(ORBCALC_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ORBCALC_NODE} --no-warnings ${CMAKE_CURRENT_LIST_DIR}/wasi-run.mjs)
