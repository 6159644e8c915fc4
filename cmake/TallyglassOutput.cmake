# Puts every executable, shared library, module and DLL of the build into ${CMAKE_BINARY_DIR}/bin
# (import and static libraries into ${CMAKE_BINARY_DIR}/lib). Include right after project().
include_guard(GLOBAL)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/lib")
set(CMAKE_PDB_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
