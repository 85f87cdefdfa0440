# Google Benchmark from Debian's source package, for the Windows benchmarks only (the normal
# Windows build never fetches it). Its own tests and install rules stay off; the target
# benchmark::benchmark is the name the Linux build finds.
bp_debian_source(benchmark benchmark_tree)
# Debian's packaging passes the version (its patches drop the git query); "0.0.0" makes the
# project take the one its project() call names.
set(GIT_VERSION "0.0.0")
set(BENCHMARK_ENABLE_TESTING OFF)
set(BENCHMARK_ENABLE_GTEST_TESTS OFF)
set(BENCHMARK_ENABLE_INSTALL OFF)
set(BENCHMARK_INSTALL_DOCS OFF)
set(BENCHMARK_ENABLE_WERROR OFF)
set(BENCHMARK_ENABLE_LTO OFF)
set(BENCHMARK_USE_BUNDLED_GTEST OFF)
add_subdirectory(${benchmark_tree} ${CMAKE_CURRENT_BINARY_DIR}/benchmark EXCLUDE_FROM_ALL)
bp_redirect_find_package(benchmark "set(benchmark_FOUND TRUE)")
