#The columns a character takes in a terminal, generated from the Unicode data Debian ships
#(unicode - data : / usr / share / unicode), so that every build, the Windows cross build included, knows the
#same widths without a C library's locale tables:
#- none : nonspacing and enclosing marks(Mn, Me), format characters(Cf) but the soft hyphen, which
#terminals show, and the Hangul vowels and final consonants(V, T) that join a syllable;
#- two : East Asian Wide and Fullwidth characters(W, F : CJK, Hangul syllables, most emoji);
#- one : every other.
#Those are the rules terminals ' own width tables follow (the C library' s wcwidth among them).
#
#Included, it defines tallyglass_screen_width_table(OUTPUT <file.cpp> DATA <folder>), which generates
#the C++ file at build time(again when the data or this file changes) by running this file as a script.
#As a script(cmake - DOUTPUT = ... - DDATA = ... - P ScreenWidth.cmake) it writes that file.
if (NOT CMAKE_SCRIPT_MODE_FILE)
function(tallyglass_screen_width_table) cmake_parse_arguments(
    PARSE_ARGV 0 WIDTH
    ""
    "OUTPUT;DATA"
    "") set(sources "${WIDTH_DATA}/EastAsianWidth.txt"
                    "${WIDTH_DATA}/extracted/DerivedGeneralCategory.txt"
                    "${WIDTH_DATA}/HangulSyllableType.txt") foreach (source IN LISTS sources) if (NOT EXISTS
                                                                                                  "${source}")
    message(FATAL_ERROR "${source} not found (apt-get install unicode-data)") endif() endforeach()
        add_custom_command(OUTPUT "${WIDTH_OUTPUT}" COMMAND "${CMAKE_COMMAND}"
                                  "-DOUTPUT=${WIDTH_OUTPUT}"
                                  "-DDATA=${WIDTH_DATA}" -
                           P "${CMAKE_CURRENT_FUNCTION_LIST_FILE}" DEPENDS $ {
                               sources
                           } "${CMAKE_CURRENT_FUNCTION_LIST_FILE}" COMMENT
                             "Generating the characters' widths on screen from the Unicode data" VERBATIM)
            endfunction() return () endif() cmake_minimum_required(VERSION 3.25)

#The ranges of `file` whose property is one of `values`, as "FIRST:LAST" with six hex digits each(so
#that they sort as text), appended to the list `into`.
                function(read_ranges file values into) file(STRINGS "${file}" lines REGEX
                                                                    "^[0-9A-F]+(\\.\\.[0-9A-F]+)? *;")
                    set(ranges "${${into}}") foreach (line IN LISTS lines) if (
                        NOT line MATCHES "^([0-9A-F]+)(\\.\\.([0-9A-F]+))? *; *([A-Za-z_]+)") continue()
                        endif() set(first "${CMAKE_MATCH_1}") set(last "${CMAKE_MATCH_3}") list(
                            FIND values
                            "${CMAKE_MATCH_4}" wanted) if (wanted EQUAL -
                                                           1) continue() endif() if (last STREQUAL "")
                            set(last "${first}") endif() foreach (bound IN ITEMS first last) string(
                                LENGTH "${${bound}}" digits) while (digits LESS 6) string(PREPEND $ {
                                bound
                            } "0") math(EXPR digits "${digits} + 1") endwhile() endforeach()
                                list(APPEND ranges "${first}:${last}") endforeach() set($ {
                                    into
                                } "${ranges}" PARENT_SCOPE) endfunction()

# `ranges` sorted, without `excluded` (single code points, six hex digits), neighbours joined, as the
#body of a C++ array.
                                    function(array_of ranges excluded into) list(SORT ranges) set(code "")
                                        set(open "") foreach (range IN LISTS ranges) string(
                                            REPLACE ":"
                                                    ";" bounds "${range}") list(GET bounds 0 first)
                                            list(GET bounds 1 last) if (range IN_LIST excluded) continue()
                                                endif() math(EXPR first_value "0x${first}") math(
                                                    EXPR last_value
                                                    "0x${last}") if (NOT open STREQUAL "")
                                                    math(EXPR next "${open_last} + 1") if (
                                                        first_value
                                                            LESS_EQUAL next) if (last_value GREATER
                                                                                     open_last) set(open_last ${
                                                        last_value}) endif() continue() endif()
                                                        math(EXPR open_last_hex "${open_last}" OUTPUT_FORMAT
                                                                 HEXADECIMAL)
                                                            string(APPEND code "    {${open}, "
                                                                               "${open_last_hex}},\n") endif() math(
                                                                EXPR open "${first_value}" OUTPUT_FORMAT
                                                                    HEXADECIMAL) set(open_last ${last_value})
                                                                endforeach() if (NOT open STREQUAL "") math(
                                                                    EXPR open_last_hex
                                                                    "${open_last}" OUTPUT_FORMAT
                                                                        HEXADECIMAL)
                                                                    string(APPEND code
                                                                           "    {${open}, "
                                                                           "${open_last_hex}},\n") endif() set($ {
                                                                        into
                                                                    } "${code}" PARENT_SCOPE) endfunction()

                                                                        set(zero "") read_ranges(
                                                                            "${DATA}/extracted/"
                                                                            "DerivedGeneralCategory.txt"
                                                                            "Mn;Me;Cf" zero) read_ranges("${"
                                                                                                         "DAT"
                                                                                                         "A}/"
                                                                                                         "Han"
                                                                                                         "gul"
                                                                                                         "Syl"
                                                                                                         "lab"
                                                                                                         "leT"
                                                                                                         "ype"
                                                                                                         ".tx"
                                                                                                         "t"
                                                                                                         "V;"
                                                                                                         "T" zero)
                                                                            set(wide "") read_ranges(
                                                                                "${DATA}/EastAsianWidth.txt"
                                                                                "W;F" wide)
#U + 00AD SOFT HYPHEN is a format character that terminals show as a hyphen.
                                                                                array_of("${zero}"
                                                                                         "0000AD:"
                                                                                         "0000AD" zero_code)
                                                                                    array_of("${wide}"
                                                                                             "" wide_code)

                                                                                        file(
                                                                                            STRINGS
                                                                                            "${DATA}/"
                                                                                            "EastAsianWidth."
                                                                                            "txt" version
                                                                                                LIMIT_COUNT 1)
                                                                                            string(
                                                                                                REGEX REPLACE
                                                                                                "^# *"
                                                                                                "" version
                                                                                                "${version}")
                                                                                                file(
                                                                                                    WRITE
                                                                                                    "${"
                                                                                                    "OUTPUT}."
                                                                                                    "tmp"
                                                                                                    "// "
                                                                                                    "Generate"
                                                                                                    "d by "
                                                                                                    "toolkit/"
                                                                                                    "ScreenWi"
                                                                                                    "dth."
                                                                                                    "cmake "
                                                                                                    "from "
                                                                                                    "${"
                                                                                                    "version}"
                                                                                                    " and "
                                                                                                    "the "
                                                                                                    "data "
                                                                                                    "beside "
                                                                                                    "it: do "
                                                                                                    "not "
                                                                                                    "edit.\n"
                                                                                                    "#include"
                                                                                                    " \"toolk"
                                                                                                    "it/"
                                                                                                    "ScreenWi"
                                                                                                    "dth."
                                                                                                    "h\"\n\n"
                                                                                                    "namespac"
                                                                                                    "e {\n\n"
                                                                                                    "constexp"
                                                                                                    "r "
                                                                                                    "CodeRang"
                                                                                                    "e "
                                                                                                    "kNoColum"
                                                                                                    "ns[] = "
                                                                                                    "{\n${"
                                                                                                    "zero_"
                                                                                                    "code}};"
                                                                                                    "\n\n"
                                                                                                    "constexp"
                                                                                                    "r "
                                                                                                    "CodeRang"
                                                                                                    "e "
                                                                                                    "kTwoColu"
                                                                                                    "mns[] = "
                                                                                                    "{\n${"
                                                                                                    "wide_"
                                                                                                    "code}};"
                                                                                                    "\n\n"
                                                                                                    "} // "
                                                                                                    "namespac"
                                                                                                    "e\n\n"
                                                                                                    "std::"
                                                                                                    "span<"
                                                                                                    "const "
                                                                                                    "CodeRang"
                                                                                                    "e> "
                                                                                                    "rangesOf"
                                                                                                    "NoColumn"
                                                                                                    "s() {\n "
                                                                                                    "   "
                                                                                                    "return "
                                                                                                    "kNoColum"
                                                                                                    "ns;\n}"
                                                                                                    "\n\n"
                                                                                                    "std::"
                                                                                                    "span<"
                                                                                                    "const "
                                                                                                    "CodeRang"
                                                                                                    "e> "
                                                                                                    "rangesOf"
                                                                                                    "TwoColum"
                                                                                                    "ns() "
                                                                                                    "{\n    "
                                                                                                    "return "
                                                                                                    "kTwoColu"
                                                                                                    "mns;\n}"
                                                                                                    "\n")
                                                                                                    file(
                                                                                                        RENAME
                                                                                                        "${"
                                                                                                        "OUTP"
                                                                                                        "UT}."
                                                                                                        "tmp"
                                                                                                        "${"
                                                                                                        "OUTP"
                                                                                                        "UT}")
