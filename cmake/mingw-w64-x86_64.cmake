# Toolchain file for cross-compiling Windows x86-64 binaries with Debian's MinGW-w64 GCC
# (used by the `windows` preset); test programs run under Wine through cmake/wine-run.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TALLYGLASS_MINGW_TRIPLE x86_64-w64-mingw32)

# The "-posix" thread-model compilers: with GCC 12 the "-win32" ones have no
# std::thread / std::mutex / std::condition_variable. winpthread is linked
# statically below, so nothing extra has to ship next to the binaries.
set(CMAKE_C_COMPILER ${TALLYGLASS_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TALLYGLASS_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TALLYGLASS_MINGW_TRIPLE}-windres)

# Look for headers, libraries and packages only in the MinGW sysroot; tools on the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TALLYGLASS_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Link libgcc, libstdc++ and libwinpthread statically into every .exe and .dll:
# the only DLLs they import are Windows system DLLs and the project's own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# CTest (add_test with a target as COMMAND) and add_custom_command run target
# executables through this wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run")
