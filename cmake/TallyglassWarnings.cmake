# tallyglass_warnings(TARGET): the project's warning set for GCC 12 (native and MinGW-w64), Clang 14 and
# Microsoft's compiler. Apply it to every target the project owns. Warnings are not made errors here: the
# project's presets and CI set CMAKE_COMPILE_WARNING_AS_ERROR, so someone else's build never breaks on a
# warning a newer compiler invents.
include_guard(GLOBAL)

function(tallyglass_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /permissive-)
        return()
    endif()
    target_compile_options(${target} PRIVATE
        -Wall
        -Wextra
        -Wpedantic
        -Wshadow
        -Wconversion
        -Wsign-conversion
        -Wold-style-cast
        -Woverloaded-virtual
        -Wcast-qual
        -Wformat=2
        -Wimplicit-fallthrough
        -Wundef
        -Wzero-as-null-pointer-constant
        -Wextra-semi
        $<$<CXX_COMPILER_ID:GNU>:-Wlogical-op>
        $<$<CXX_COMPILER_ID:GNU>:-Wduplicated-cond>
        $<$<CXX_COMPILER_ID:GNU>:-Wsuggest-override>
        $<$<CXX_COMPILER_ID:Clang,AppleClang>:-Winconsistent-missing-destructor-override>
        $<$<CXX_COMPILER_ID:Clang,AppleClang>:-Wunreachable-code>
    )
endfunction()
