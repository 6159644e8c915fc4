# The Windows program started as Explorer starts it for a file dropped onto it: the file's path, in a
# folder whose name is not ASCII, as its one argument. The page must appear beside the file.
#   cmake -DREPORT=... -DEMULATOR=... -DSTATS=... -DWORK=... -P DroppedOntoTheProgram.cmake
set(folder "${WORK}/Spieler Ünïcødé 統計")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${folder}")
file(COPY_FILE "${STATS}" "${folder}/76561198000000001_Tallyglass.csv")
file(SHA256 "${folder}/76561198000000001_Tallyglass.csv" before)
# Wine shows the machine's root as drive Z:.
string(REPLACE "/" "\\" windows_path "Z:${folder}/76561198000000001_Tallyglass.csv")
execute_process(COMMAND ${EMULATOR} "${REPORT}" "${windows_path}"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "exit ${status}\n${out}\n${err}")
endif()
if(NOT EXISTS "${folder}/76561198000000001_Tallyglass.html")
    message(FATAL_ERROR "no page beside the dropped file\n${out}\n${err}")
endif()
if(NOT out MATCHES "Report: Z:.*Spieler Ünïcødé 統計.76561198000000001_Tallyglass.html")
    message(FATAL_ERROR "the program did not say where the page is in the folder's own name:\n${out}")
endif()
file(SHA256 "${folder}/76561198000000001_Tallyglass.csv" after)
if(NOT before STREQUAL after)
    message(FATAL_ERROR "the stats file changed")
endif()
file(READ "${folder}/76561198000000001_Tallyglass.html" page)
if(NOT page MATCHES "\"matches\":180,")
    message(FATAL_ERROR "the page does not hold the file's 180 matches")
endif()
