# Dependencies of a cross-build: GoogleTest compiled for the target, the host's header-only libraries staged.
#
# The host's libgtest is built for the host, so GoogleTest is compiled here from the Debian sources (package
# googletest) as part of the build. nlohmann-json and CLI11 are headers only and work for any target, but they
# live in the host's /usr/include: adding that folder would let every host header shadow the target's, so
# just their two folders are copied into the build folder and offered through find_package as usual.

set(RW_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to build for the target")
if(NOT EXISTS ${RW_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${RW_GOOGLETEST_SOURCE_DIR} (Debian package googletest)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# SYSTEM: our warning flags do not apply to GoogleTest's headers.
add_subdirectory(${RW_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# rw_stage_header_library(<package> <target> <header> <folder>): copies the host folder holding <header>
# (e.g. nlohmann/json.hpp) into the build folder and writes a <package>Config.cmake defining <target> over it.
function(rw_stage_header_library package target header folder)
  find_path(RW_${package}_HOST_INCLUDE ${header} PATHS /usr/include /usr/local/include NO_CMAKE_FIND_ROOT_PATH
            REQUIRED)
  set(staged ${CMAKE_BINARY_DIR}/staged/${package})
  file(COPY ${RW_${package}_HOST_INCLUDE}/${folder} DESTINATION ${staged}/include)
  file(WRITE ${staged}/${package}Config.cmake
       "# ${package} from the host's headers, staged for the cross-build.\n"
       "if(NOT TARGET ${target})\n"
       "  add_library(${target} INTERFACE IMPORTED)\n"
       "  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES \"${staged}/include\")\n"
       "endif()\n")
  set(${package}_DIR ${staged} CACHE PATH "Staged ${package} for the cross-build" FORCE)
endfunction()

rw_stage_header_library(nlohmann_json nlohmann_json::nlohmann_json nlohmann/json.hpp nlohmann)
rw_stage_header_library(CLI11 CLI11::CLI11 CLI/CLI.hpp CLI)
