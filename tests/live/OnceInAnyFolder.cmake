# The Windows program as a player starts it on a stats file in a folder whose name is not ASCII (as
# Explorer passes a file dropped onto it): tallyglass-live.exe --once writes the view beside the file;
# and on the data folder itself, whose account file that changed last it follows.
#   cmake -DLIVE=... -DEMULATOR=... -DWORK=... -P OnceInAnyFolder.cmake
set(folder "${WORK}/Spieler Ünïcødé 統計")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${folder}")
string(TIMESTAMP now "%s" UTC)
math(EXPR first "${now} - 900")
math(EXPR second "${now} - 300")
file(WRITE "${folder}/76561198000000001_Tallyglass.csv"
     "Assists,Demos,Goals,MMR,MVP,MyTeamGoals,OtherTeamGoals,Playlist,Points,Ranked,Saves,Shots,Time,Timestamp,Win\r\n"
     "1,0,2,1183,1,3,1,Ranked Doubles,486,1,1,4,${first},18:45:38 12/03/26,1\r\n"
     "0,1,1,1192,0,2,4,Ranked Doubles,274,1,2,3,${second},18:53:00 12/03/26,0\r\n")
file(SHA256 "${folder}/76561198000000001_Tallyglass.csv" before)
# Wine shows the machine's root as drive Z:.
string(REPLACE "/" "\\" windows_path "Z:${folder}/76561198000000001_Tallyglass.csv")
execute_process(COMMAND ${EMULATOR} "${LIVE}" "${windows_path}" --once INPUT_FILE /dev/null
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "exit ${status}\n${out}\n${err}")
endif()
if(NOT out MATCHES "Z:.*Spieler Ünïcødé 統計.tallyglass-live.live\\.html" OR NOT out MATCHES "overlay\\.html")
    message(FATAL_ERROR "the program did not say where the pages are in the folder's own name:\n${out}")
endif()
file(READ "${folder}/tallyglass-live/record.txt" record)
if(NOT record STREQUAL "1-1")
    message(FATAL_ERROR "record.txt holds \"${record}\"")
endif()
file(SHA256 "${folder}/76561198000000001_Tallyglass.csv" after)
if(NOT before STREQUAL after)
    message(FATAL_ERROR "the stats file changed")
endif()

# The data folder itself (as Explorer passes a folder dropped onto the program): the account's stats file
# that changed last is followed, and the view is written inside the folder.
set(data "${WORK}/Daten Ünïcødé 統計")
file(MAKE_DIRECTORY "${data}")
file(WRITE "${data}/76561198000000001_Tallyglass.csv"
     "Assists,Demos,Goals,MMR,MVP,MyTeamGoals,OtherTeamGoals,Playlist,Points,Ranked,Saves,Shots,Time,Timestamp,Win\r\n"
     "1,0,2,1183,1,3,1,Ranked Doubles,486,1,1,4,${first},18:45:38 12/03/26,1\r\n")
# A later change by the file system's clock, whatever its resolution.
execute_process(COMMAND "${CMAKE_COMMAND}" -E sleep 2)
file(WRITE "${data}/Jörg zweites Konto_Tallyglass.csv"
     "Assists,Demos,Goals,MMR,MVP,MyTeamGoals,OtherTeamGoals,Playlist,Points,Ranked,Saves,Shots,Time,Timestamp,Win\r\n"
     "0,1,1,1192,0,2,4,Ranked Doubles,274,1,2,3,${first},18:45:38 12/03/26,0\r\n"
     "2,3,0,1180,0,1,2,Ranked Doubles,190,1,4,2,${second},18:53:00 12/03/26,0\r\n")
string(REPLACE "/" "\\" windows_data "Z:${data}")
execute_process(COMMAND ${EMULATOR} "${LIVE}" "${windows_data}" --once INPUT_FILE /dev/null
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "given the folder: exit ${status}\n${out}\n${err}")
endif()
if(NOT out MATCHES "Z:.*Daten Ünïcødé 統計.tallyglass-live.overlay\\.html")
    message(FATAL_ERROR "given the folder, the program did not say the overlay is inside it:\n${out}")
endif()
file(READ "${data}/tallyglass-live/record.txt" record)
file(READ "${data}/tallyglass-live/demos.txt" demos)
if(NOT record STREQUAL "0-2" OR NOT demos STREQUAL "4")
    message(FATAL_ERROR "given the folder, record.txt holds \"${record}\" and demos.txt \"${demos}\"")
endif()
file(READ "${data}/tallyglass-live/session.json" json)
string(JSON account GET "${json}" account)
string(JSON followed GET "${json}" file)
if(NOT account STREQUAL "Jörg zweites Konto" OR NOT followed STREQUAL "Jörg zweites Konto_Tallyglass.csv")
    message(FATAL_ERROR "given the folder, session.json names \"${followed}\" of \"${account}\"")
endif()
