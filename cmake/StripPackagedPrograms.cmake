# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) after the player's files are staged and before they are zipped:
# every program in the package is stripped as the plugin module is, its debug information kept in
# <name>.debug in the build folder, beside the package, and named in the program (.gnu_debuglink) so a
# debugger finds it when both lie in one folder. A build without debug information (a plain Release)
# still gets its .debug file and link, as the module does, so every package has the same shape. A file
# that is no program (the README) and the module, stripped already, are left as they are.
file(GLOB_RECURSE _staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(_file IN LISTS _staged)
    execute_process(COMMAND "${CPACK_TALLYGLASS_OBJDUMP}" -h "${_file}"
                    RESULT_VARIABLE _status OUTPUT_VARIABLE _sections ERROR_QUIET)
    if(NOT _status EQUAL 0 OR _sections MATCHES "\\.gnu_debuglink")
        continue()
    endif()
    get_filename_component(_name "${_file}" NAME)
    set(_debug "${CPACK_TALLYGLASS_DEBUG_DIR}/${_name}.debug")
    execute_process(COMMAND "${CPACK_TALLYGLASS_OBJCOPY}" --only-keep-debug "${_file}" "${_debug}"
                    RESULT_VARIABLE _status)
    if(NOT _status EQUAL 0)
        message(FATAL_ERROR "could not keep the debug information of ${_name}")
    endif()
    # The link is added in the folder of the debug file, which objcopy reads to name it.
    execute_process(COMMAND "${CPACK_TALLYGLASS_OBJCOPY}" --strip-all "--add-gnu-debuglink=${_name}.debug" "${_file}"
                    WORKING_DIRECTORY "${CPACK_TALLYGLASS_DEBUG_DIR}" RESULT_VARIABLE _status)
    if(NOT _status EQUAL 0)
        message(FATAL_ERROR "could not strip ${_name}")
    endif()
    message(STATUS "stripped ${_name} for the package; its debug information is in ${_debug}")
endforeach()
