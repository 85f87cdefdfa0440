# libzip through its own CMake project, reduced to the library: no tools, tests, examples or
# manuals, and zlib (Debian's mingw-w64 build of it) as the only compression. Encryption is
# not used by the program, so no crypto back end is linked.
bp_debian_source(libzip libzip_tree)
foreach(opt ENABLE_COMMONCRYPTO ENABLE_GNUTLS ENABLE_MBEDTLS ENABLE_OPENSSL ENABLE_WINDOWS_CRYPTO
    ENABLE_BZIP2 ENABLE_LZMA BUILD_TOOLS BUILD_REGRESS BUILD_EXAMPLES BUILD_DOC LIBZIP_DO_INSTALL)
  set(${opt} OFF)
endforeach()
add_subdirectory(${libzip_tree} ${CMAKE_CURRENT_BINARY_DIR}/libzip EXCLUDE_FROM_ALL)
# The Linux build finds libzip through pkg-config under this name.
add_library(PkgConfig::LIBZIP ALIAS zip)
