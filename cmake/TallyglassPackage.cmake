# The player's package (CPack, ZIP): `cmake --build --preset windows --target package` makes
# Tallyglass-<version>-win64.zip in the build folder. It holds what is installed as the component
# `player`: the stripped plugin module (plugin/CMakeLists.txt), the player's README and, once they are
# built, tallyglass-report and tallyglass-live, stripped as they are packed (StripPackagedPrograms.cmake).
# Include after the plugin's folder. TALLYGLASS_PACKAGE_NAME is the zip's name without its extension.
include_guard(GLOBAL)

install(FILES "${PROJECT_SOURCE_DIR}/docs/player-readme.txt" DESTINATION . RENAME README.txt COMPONENT player)

if(WIN32)
    set(_tallyglass_package_system win64)
else()
    set(_tallyglass_package_system "${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}")
    string(TOLOWER "${_tallyglass_package_system}" _tallyglass_package_system)
endif()

set(CPACK_PACKAGE_NAME Tallyglass)
set(CPACK_PACKAGE_VENDOR Tallyglass)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Match statistics on the scoreboard")
set(TALLYGLASS_PACKAGE_NAME "Tallyglass-${PROJECT_VERSION}-${_tallyglass_package_system}")
set(CPACK_PACKAGE_FILE_NAME "${TALLYGLASS_PACKAGE_NAME}")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}")
set(CPACK_GENERATOR ZIP)
set(CPACK_SOURCE_GENERATOR "")
# One archive of the player's files only (not the SDK, not test libraries), unpacked straight into
# the folder the player chooses.
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL player)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_ARCHIVE_PLAYER_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}")
set(CPACK_VERBATIM_VARIABLES ON)
# Every program in the zip stripped, its debug information kept beside the zip. Microsoft's linker keeps
# debug information in a .pdb and leaves none in the program.
if(NOT MSVC AND CMAKE_OBJCOPY AND CMAKE_OBJDUMP)
    set(CPACK_TALLYGLASS_OBJCOPY "${CMAKE_OBJCOPY}")
    set(CPACK_TALLYGLASS_OBJDUMP "${CMAKE_OBJDUMP}")
    set(CPACK_TALLYGLASS_DEBUG_DIR "${CMAKE_BINARY_DIR}")
    set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/StripPackagedPrograms.cmake")
endif()
include(CPack)
unset(_tallyglass_package_system)
