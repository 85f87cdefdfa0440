# The Windows cross build (cmake/mingw-w64-i686.cmake): third-party libraries from Debian
# sources, no Qt front end, benchmarks only on request, and the layers that cannot build for
# Windows yet left out together with everything that links them.
set(BRINDLEPATH_GUI OFF CACHE BOOL "The Qt front end is Linux-only" FORCE)
# The manifest resource of the programs with windows (src/win).
enable_language(RC)
# scripts/bp.sh bench-windows turns this on; the benchmarks that run on Windows are those of
# BRINDLEPATH_WINDOWS_BENCH_DIRS.
option(BRINDLEPATH_WINDOWS_BENCH "Build the benchmarks that run on Windows" OFF)
set(BRINDLEPATH_WINDOWS_BENCH_DIRS support host)
set(BRINDLEPATH_BENCH ${BRINDLEPATH_WINDOWS_BENCH} CACHE BOOL "Build the benchmarks" FORCE)
# Off on a machine that cannot run the programs under Wine (scripts/bp.sh windows finds out):
# the build then lists no test by running it, and everything still builds.
option(BRINDLEPATH_WINDOWS_RUN "This machine runs the Windows programs under Wine" ON)
add_subdirectory(${CMAKE_SOURCE_DIR}/third_party ${CMAKE_BINARY_DIR}/third_party)
include(${CMAKE_CURRENT_LIST_DIR}/LayerSkips.cmake)

# Layers (folders of src/, and tools) and test folders that do not compile for Windows yet.
# scripts/bp.sh windows measures them on every run: it builds with both lists empty, then
# fills them with what failed.
set(BRINDLEPATH_WINDOWS_SKIP "" CACHE STRING "Layers the Windows cross build leaves out")
set(BRINDLEPATH_WINDOWS_SKIP_TESTS "" CACHE STRING "Test folders the Windows cross build leaves out")

# No Qt for Windows here: whatever links a Qt module is left out.
set(missing "")
find_package(Qt6 QUIET COMPONENTS Core)
if(NOT Qt6_FOUND)
  set(missing Qt6::Core Qt6::Widgets Qt6::Test Qt6::Gui)
endif()
bp_layer_skips("${BRINDLEPATH_LAYERS};tools" "${BRINDLEPATH_WINDOWS_SKIP};gui"
  "${BRINDLEPATH_WINDOWS_SKIP_TESTS}" "${missing}"
  BRINDLEPATH_SKIPPED_LAYERS BRINDLEPATH_SKIPPED_TESTS)
foreach(layer IN LISTS BRINDLEPATH_SKIPPED_LAYERS)
  message(STATUS "Windows build skips layer: ${layer}")
endforeach()
foreach(layer IN LISTS BRINDLEPATH_SKIPPED_TESTS)
  if(NOT layer IN_LIST BRINDLEPATH_SKIPPED_LAYERS)
    message(STATUS "Windows build skips the tests of: ${layer}")
  endif()
endforeach()
