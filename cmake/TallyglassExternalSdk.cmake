# The host SDK found in TALLYGLASS_SDK_DIR: an include folder and the import library of `pluginsdk`
# (the host's own SDK on a player's machine, or our substitute installed with
# `cmake --install <build> --component sdk`). Defines the imported target tallyglass_host_sdk; its headers
# are system headers, so their warnings are not the plugin's.
include_guard(GLOBAL)

if(NOT IS_DIRECTORY "${TALLYGLASS_SDK_DIR}")
    message(FATAL_ERROR "TALLYGLASS_SDK_DIR: ${TALLYGLASS_SDK_DIR} is not a folder")
endif()

if(IS_DIRECTORY "${TALLYGLASS_SDK_DIR}/include")
    set(_tallyglass_sdk_include "${TALLYGLASS_SDK_DIR}/include")
else()
    set(_tallyglass_sdk_include "${TALLYGLASS_SDK_DIR}")
endif()

# The SDK folder is a path of the building machine even when cross-compiling: no sysroot prefix.
find_library(TALLYGLASS_SDK_LIBRARY
    NAMES pluginsdk pluginsdk${CMAKE_SHARED_LIBRARY_SUFFIX}
    PATHS "${TALLYGLASS_SDK_DIR}/lib" "${TALLYGLASS_SDK_DIR}"
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT TALLYGLASS_SDK_LIBRARY)
    message(FATAL_ERROR "TALLYGLASS_SDK_DIR: no pluginsdk import library in ${TALLYGLASS_SDK_DIR}/lib "
                        "or ${TALLYGLASS_SDK_DIR} (set TALLYGLASS_SDK_LIBRARY to the file)")
endif()

add_library(tallyglass_host_sdk UNKNOWN IMPORTED)
set_target_properties(tallyglass_host_sdk PROPERTIES
    IMPORTED_LOCATION "${TALLYGLASS_SDK_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${_tallyglass_sdk_include}")
message(STATUS "Host SDK: ${_tallyglass_sdk_include}, ${TALLYGLASS_SDK_LIBRARY}")
unset(_tallyglass_sdk_include)
