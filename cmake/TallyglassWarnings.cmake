# tallyglass_warnings(TARGET): the project's warning set, all of them errors, for
# GCC 12 (native and MinGW-w64) and Clang 14. Apply it to every target the project owns.
include_guard(GLOBAL)

function(tallyglass_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX /permissive-)
        return()
    endif()
    target_compile_options(${target} PRIVATE
        -Werror
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
