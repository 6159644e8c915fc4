# GoogleTest / Google Benchmark setup and the helpers tallyglass_add_test_program() and
# tallyglass_add_benchmark(). Include once from the top level, after enable_testing().
include_guard(GLOBAL)
include("${CMAKE_CURRENT_LIST_DIR}/TallyglassWarnings.cmake")

option(TALLYGLASS_SANITIZE "Sanitizer build (set by the asan preset): benchmarks are not built" OFF)
set(TALLYGLASS_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH
    "GoogleTest sources (Debian package googletest), built for the target when cross-compiling")

# --- GoogleTest: targets GTest::gtest, GTest::gtest_main, GTest::gmock, GTest::gmock_main ---
if(CMAKE_CROSSCOMPILING)
    if(NOT EXISTS "${TALLYGLASS_GTEST_SOURCE_DIR}/CMakeLists.txt")
        message(FATAL_ERROR "GoogleTest sources not found in ${TALLYGLASS_GTEST_SOURCE_DIR} "
                            "(apt-get install googletest)")
    endif()
    block()
        # googletest's own options as plain variables; its inner CMakeLists.txt files ask for
        # CMake 3.5, so make option() honour them there too (policy CMP0077).
        set(CMAKE_POLICY_DEFAULT_CMP0077 NEW)
        set(BUILD_SHARED_LIBS OFF)
        set(BUILD_GMOCK ON)
        set(INSTALL_GTEST OFF)
        set(gtest_force_shared_crt ON)
        set(gtest_build_tests OFF)
        set(gtest_build_samples OFF)
        set(gmock_build_tests OFF)
        add_subdirectory("${TALLYGLASS_GTEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/_deps/googletest"
                         EXCLUDE_FROM_ALL SYSTEM)
    endblock()
    # Built for the tests alone (the function is defined further down, and called when this file ends).
    set(_tallyglass_gtest_libraries gtest gtest_main gmock gmock_main)
    # googletest 1.11+ defines these aliases itself; older sources do not.
    foreach(_tallyglass_gtest_target IN ITEMS gtest gtest_main gmock gmock_main)
        if(NOT TARGET GTest::${_tallyglass_gtest_target})
            add_library(GTest::${_tallyglass_gtest_target} ALIAS ${_tallyglass_gtest_target})
        endif()
    endforeach()
    unset(_tallyglass_gtest_target)
else()
    find_package(GTest REQUIRED)
    foreach(_tallyglass_gtest_target IN ITEMS gtest gtest_main gmock gmock_main)
        if(NOT TARGET GTest::${_tallyglass_gtest_target})
            message(FATAL_ERROR "GTest::${_tallyglass_gtest_target} not found "
                                "(apt-get install libgtest-dev libgmock-dev)")
        endif()
    endforeach()
    unset(_tallyglass_gtest_target)
endif()

# --- Google Benchmark: native, non-sanitizer builds only ---
if(CMAKE_CROSSCOMPILING OR TALLYGLASS_SANITIZE OR CMAKE_CXX_FLAGS MATCHES "-fsanitize=")
    set(TALLYGLASS_BENCHMARKS_ENABLED OFF)
else()
    set(TALLYGLASS_BENCHMARKS_ENABLED ON)
    find_package(benchmark REQUIRED)
    # Google Benchmark 1.8 wants a unit ("0.01s"); Debian 12's 1.7.1 only takes a plain number.
    if(benchmark_VERSION VERSION_GREATER_EQUAL 1.8)
        set(TALLYGLASS_BENCHMARK_SMOKE_ARGS --benchmark_min_time=0.01s)
    else()
        set(TALLYGLASS_BENCHMARK_SMOKE_ARGS --benchmark_min_time=0.01)
    endif()
endif()

# tallyglass_test_only(<target>...): targets only the tests use, built as cheaply as their tests allow.
# In the Windows cross build (MinGW) they are compiled at -O1 and compiled and linked without debug
# information: under Wine nothing reads it, and there it is most of what the compiler makes and the
# linker writes. In a Release build they are compiled at -O1 too: the code under test (the module,
# hostsim, the programs' libraries) keeps -O3, and the test code's own optimisation buys nothing but
# compile time. What ships keeps its own flags.
function(tallyglass_test_only)
    foreach(target IN LISTS ARGN)
        if(MINGW)
            target_compile_options(${target} PRIVATE -O1 -g0)
            get_target_property(type ${target} TYPE)
            if(type STREQUAL "EXECUTABLE" OR type STREQUAL "MODULE_LIBRARY" OR type STREQUAL "SHARED_LIBRARY")
                target_link_options(${target} PRIVATE -Wl,--strip-debug)
            endif()
        else()
            target_compile_options(${target} PRIVATE $<$<AND:$<CONFIG:Release>,$<CXX_COMPILER_ID:GNU,Clang>>:-O1>)
        endif()
    endforeach()
endfunction()

# Stops the configuration when <function>(<name> ...) was called with arguments it does not know or
# without SOURCES.
function(_tallyglass_check_program_arguments function name unparsed sources)
    if(unparsed)
        message(FATAL_ERROR "${function}(${name}): unknown arguments ${unparsed}")
    endif()
    if(NOT sources)
        message(FATAL_ERROR "${function}(${name}): SOURCES is required")
    endif()
endfunction()

# The executable <name> from <sources>, linked with <libraries>, with the project's warnings, and the
# CTest entry <test> that runs it with <arguments...> in the bin directory.
function(_tallyglass_add_tested_program name test sources libraries)
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${libraries})
    tallyglass_warnings(${name})
    tallyglass_test_only(${name})
    add_test(NAME ${test} COMMAND ${name} ${ARGN} WORKING_DIRECTORY "$<TARGET_FILE_DIR:${name}>")
endfunction()

# The main of every test program (tests/support/TestMain.cpp): a program in which a test skipped itself
# exits 77, which CTest reports as skipped instead of passed.
add_library(tallyglass_test_main STATIC "${PROJECT_SOURCE_DIR}/tests/support/TestMain.cpp")
target_link_libraries(tallyglass_test_main PUBLIC GTest::gmock GTest::gtest)
tallyglass_warnings(tallyglass_test_main)
tallyglass_test_only(tallyglass_test_main)

# tallyglass_add_test_program(<name> SOURCES <files...> [LIBRARIES <libs...>]
#                             [ENVIRONMENT <VAR=value...>] [LABELS <labels...>] [TIMEOUT <seconds>])
# One GoogleTest executable (main from tallyglass_test_main, GoogleMock available) and exactly one
# CTest entry <name> that runs the whole program in the bin directory with TZ=UTC; it counts as skipped
# when one of its tests skipped itself. When cross-compiling, CTest starts it through
# CMAKE_CROSSCOMPILING_EMULATOR (Wine).
function(tallyglass_add_test_program name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "TIMEOUT" "SOURCES;LIBRARIES;ENVIRONMENT;LABELS")
    _tallyglass_check_program_arguments(tallyglass_add_test_program ${name}
                                        "${arg_UNPARSED_ARGUMENTS}" "${arg_SOURCES}")
    _tallyglass_add_tested_program(${name} ${name} "${arg_SOURCES}" "${arg_LIBRARIES};tallyglass_test_main")
    set_property(TEST ${name} PROPERTY SKIP_RETURN_CODE 77)
    set_property(TEST ${name} PROPERTY ENVIRONMENT "TZ=UTC" ${arg_ENVIRONMENT})
    set_property(TEST ${name} PROPERTY LABELS test ${arg_LABELS})
    if(arg_TIMEOUT)
        set_property(TEST ${name} PROPERTY TIMEOUT ${arg_TIMEOUT})
    endif()
endfunction()

# tallyglass_add_benchmark(<name> SOURCES <files...> [LIBRARIES <libs...>])
# A Google Benchmark executable (main from benchmark::benchmark_main) plus one CTest entry
# <name>_smoke that runs every benchmark briefly. Skipped silently when cross-compiling or
# in sanitizer builds (TALLYGLASS_BENCHMARKS_ENABLED is OFF there).
function(tallyglass_add_benchmark name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LIBRARIES")
    _tallyglass_check_program_arguments(tallyglass_add_benchmark ${name}
                                        "${arg_UNPARSED_ARGUMENTS}" "${arg_SOURCES}")
    if(NOT TALLYGLASS_BENCHMARKS_ENABLED)
        return()
    endif()
    _tallyglass_add_tested_program(${name} ${name}_smoke "${arg_SOURCES}"
                                   "${arg_LIBRARIES};benchmark::benchmark_main"
                                   ${TALLYGLASS_BENCHMARK_SMOKE_ARGS})
    set_property(TEST ${name}_smoke PROPERTY ENVIRONMENT "TZ=UTC")
    set_property(TEST ${name}_smoke PROPERTY LABELS benchmark)
endfunction()

if(DEFINED _tallyglass_gtest_libraries)
    tallyglass_test_only(${_tallyglass_gtest_libraries})
    unset(_tallyglass_gtest_libraries)
endif()
