# The same stats file and the same --now give the same page, byte for byte, from the Linux program and
# from the Windows program under Wine.
#   cmake -DREPORT=... -DEMULATOR=... -DLINUX_REPORT=... -DSTATS=... -DWORK=... -P SamePageAsLinux.cmake
if(NOT EXISTS "${LINUX_REPORT}")
    message("SKIPPED: no Linux build of tallyglass-report at ${LINUX_REPORT} (build the linux preset first)")
    return()
endif()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/linux" "${WORK}/windows")
get_filename_component(name "${STATS}" NAME)
set(now 1796600000)
execute_process(COMMAND "${LINUX_REPORT}" "${STATS}" -o "${WORK}/linux/report.html" --json "${WORK}/linux/report.json"
                        --now ${now}
                RESULT_VARIABLE linux_status OUTPUT_VARIABLE linux_out ERROR_VARIABLE linux_err)
string(REPLACE "/" "\\" windows_stats "Z:${STATS}")
string(REPLACE "/" "\\" windows_page "Z:${WORK}/windows/report.html")
string(REPLACE "/" "\\" windows_json "Z:${WORK}/windows/report.json")
execute_process(COMMAND ${EMULATOR} "${REPORT}" "${windows_stats}" -o "${windows_page}" --json "${windows_json}"
                        --now ${now}
                INPUT_FILE /dev/null
                RESULT_VARIABLE windows_status OUTPUT_VARIABLE windows_out ERROR_VARIABLE windows_err)
if(NOT linux_status EQUAL 0 OR NOT windows_status EQUAL 0)
    message(FATAL_ERROR "linux: exit ${linux_status} ${linux_err}\nwindows: exit ${windows_status} ${windows_err}")
endif()
foreach(file IN ITEMS report.html report.json)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/linux/${file}" "${WORK}/windows/${file}"
                    RESULT_VARIABLE different)
    if(different)
        message(FATAL_ERROR "${file} differs between Linux and Windows (${WORK})")
    endif()
endforeach()
# The console summary says the same too, line ends aside.
string(REPLACE "\r\n" "\n" windows_out "${windows_out}")
string(REGEX REPLACE "^[^\n]*\n[^\n]*\n" "" windows_summary "${windows_out}")
string(REGEX REPLACE "^[^\n]*\n[^\n]*\n" "" linux_summary "${linux_out}")
if(NOT windows_summary STREQUAL linux_summary)
    message(FATAL_ERROR "the console summaries differ:\n${linux_summary}\n---\n${windows_summary}")
endif()
message("same page: ${WORK}/linux/report.html")
