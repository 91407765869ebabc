# WASI, the system interface of WebAssembly modules outside the browser:
# static executables only, named with the .wasm suffix.
include(Platform/Generic)
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
