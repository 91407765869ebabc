# Cross build for 64-bit ARM Linux with Debian's GNU compilers (package
# g++-aarch64-linux-gnu). The program and the tests are linked statically
# and run under the user-mode emulator (package qemu-user), which CMake and
# the test runner start by its absolute path.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# GCC notes where passing a small struct changed in GCC 10.1; that matters
# only next to objects of older compilers, and everything here is built by
# this one.
set(CMAKE_CXX_FLAGS_INIT -Wno-psabi)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

find_program(ORBCALC_QEMU_AARCH64 qemu-aarch64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ORBCALC_QEMU_AARCH64})
