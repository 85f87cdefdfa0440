# Every folder of fuzz/ holding a Harness.cpp is one harness, named after the folder. Its
# Deps.cmake sets `harness_deps` (the libraries it links); its corpus/ holds the seed inputs
# and an optional <name>.dict beside it the words libFuzzer splices in. The fuzzing build links each
# harness with libFuzzer; the test build replays its seeds and its saved findings
# (tests/fuzz-regressions/<name>/) through the same entry point.
function(bp_fuzz_harnesses out_var)
  file(GLOB harness_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*/Harness.cpp)
  set(names)
  foreach(source IN LISTS harness_sources)
    get_filename_component(dir ${source} DIRECTORY)
    get_filename_component(name ${dir} NAME)
    list(APPEND names ${name})
  endforeach()
  set(${out_var} ${names} PARENT_SCOPE)
endfunction()

# The libraries harness `name` links.
function(bp_fuzz_harness_deps name out_var)
  set(harness_deps)
  include(${CMAKE_SOURCE_DIR}/fuzz/${name}/Deps.cmake)
  set(${out_var} ${harness_deps} PARENT_SCOPE)
endfunction()
