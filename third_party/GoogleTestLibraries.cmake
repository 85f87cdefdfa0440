# GoogleTest and GoogleMock from the sources Debian installs in /usr/src/googletest, which
# define the GTest:: names the Linux build finds.
set(INSTALL_GTEST OFF)
set(BUILD_GMOCK ON)
add_subdirectory(/usr/src/googletest ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(lib gtest gtest_main gmock gmock_main)
  if(NOT TARGET GTest::${lib})
    add_library(GTest::${lib} ALIAS ${lib})
  endif()
endforeach()
bp_redirect_find_package(GTest "set(GTest_FOUND TRUE)\nset(GTEST_FOUND TRUE)")
