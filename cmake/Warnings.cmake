# Strict warnings for every target of the project; third-party headers come in as SYSTEM.
add_library(bp_warnings INTERFACE)
target_compile_options(bp_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Werror -Wnon-virtual-dtor -Wno-missing-field-initializers)
# Clang (the fuzzing build) knows no shadowing limited to locals, and full -Wshadow would
# flag every constructor parameter named after its member.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(bp_warnings INTERFACE -Wshadow=local)
endif()
# GCC 12 reports false overlaps inside std::string's replace and assign once they are inlined
# (GCC bug 105329), depending on what else the optimizer sees; they say nothing about our code.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(bp_warnings INTERFACE -Wno-restrict)
endif()

if(BRINDLEPATH_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzzing build: every library is instrumented for coverage and checked by the sanitizers;
# only the harnesses link libFuzzer's own main (fuzz/CMakeLists.txt).
if(BRINDLEPATH_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "The fuzzing build needs clang: -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Batches of sources per compiler run when BRINDLEPATH_UNITY is on; file-local names must then
# be unique within their target, which the OFF build does not check.
function(bp_batch_sources name)
  set_target_properties(${name} PROPERTIES UNITY_BUILD ${BRINDLEPATH_UNITY} UNITY_BUILD_BATCH_SIZE 16)
endfunction()

# bp_add_library(name SOURCES ... DEPS ...): one library per src/ folder.
function(bp_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  bp_batch_sources(${name})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE bp_warnings)
endfunction()

# bp_add_test(name SOURCES ... DEPS ... [PROPERTIES ...]): one GoogleTest executable,
# registered with CTest; PROPERTIES are test properties given to every test case in it.
function(bp_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  bp_batch_sources(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock bp_warnings)
  # Compiled in, so discovery and every test case know where the sources and the program
  # folder of this build are.
  target_compile_definitions(${name} PRIVATE
    BRINDLEPATH_TEST_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    BRINDLEPATH_TEST_BIN_DIR="${BRINDLEPATH_PROGRAM_DIR}")
  # A cross build that cannot run its programs lists their tests only when ctest runs.
  set(discovery POST_BUILD)
  if(CMAKE_CROSSCOMPILING AND NOT BRINDLEPATH_WINDOWS_RUN)
    set(discovery PRE_TEST)
  endif()
  if(ARG_PROPERTIES)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 DISCOVERY_MODE ${discovery}
                         PROPERTIES ${ARG_PROPERTIES})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 DISCOVERY_MODE ${discovery})
  endif()
endfunction()

# bp_add_bench(name SOURCES ... DEPS ...): one Google Benchmark executable under build/bench.
function(bp_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  bp_batch_sources(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark bp_warnings)
endfunction()
