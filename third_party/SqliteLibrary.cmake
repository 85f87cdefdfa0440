# SQLite in its single-file form, generated from the Debian source tree at build time (its
# generator is a tclsh script run by the source tree's own configure and make).
bp_debian_source(sqlite3 sqlite_tree)
set(sqlite_gen ${CMAKE_CURRENT_BINARY_DIR}/sqlite)
file(MAKE_DIRECTORY ${sqlite_gen})
add_custom_command(OUTPUT ${sqlite_gen}/sqlite3.c ${sqlite_gen}/sqlite3.h
  COMMAND env -u CC -u CFLAGS sh ${sqlite_tree}/configure --disable-tcl > configure.log 2>&1
  COMMAND make sqlite3.c > make.log 2>&1
  WORKING_DIRECTORY ${sqlite_gen}
  COMMENT "Generating sqlite3.c from the Debian source package"
  VERBATIM)
add_library(bp_sqlite3 STATIC EXCLUDE_FROM_ALL ${sqlite_gen}/sqlite3.c)
target_include_directories(bp_sqlite3 SYSTEM PUBLIC ${sqlite_gen})
target_compile_definitions(bp_sqlite3 PRIVATE SQLITE_OMIT_LOAD_EXTENSION SQLITE_THREADSAFE=1)
add_library(SQLite::SQLite3 ALIAS bp_sqlite3)
bp_redirect_find_package(SQLite3
  "set(SQLite3_FOUND TRUE)\nset(SQLite3_INCLUDE_DIRS ${sqlite_gen})\nset(SQLite3_LIBRARIES SQLite::SQLite3)")
