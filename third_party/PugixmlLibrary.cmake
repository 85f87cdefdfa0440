# pugixml: one source file and its headers.
bp_debian_source(pugixml pugixml_tree)
add_library(bp_pugixml STATIC EXCLUDE_FROM_ALL ${pugixml_tree}/src/pugixml.cpp)
target_include_directories(bp_pugixml SYSTEM PUBLIC ${pugixml_tree}/src)
add_library(pugixml::pugixml ALIAS bp_pugixml)
bp_redirect_find_package(pugixml "set(pugixml_FOUND TRUE)")
