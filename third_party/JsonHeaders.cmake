# nlohmann-json is header-only. Its headers are copied out of /usr/include, because that folder
# must never reach the cross compiler's search path (the build machine's C library is there).
set(json_include ${CMAKE_CURRENT_BINARY_DIR}/json/include)
if(NOT EXISTS /usr/include/nlohmann/json.hpp)
  message(FATAL_ERROR "nlohmann/json.hpp is missing: install nlohmann-json3-dev")
endif()
file(COPY /usr/include/nlohmann DESTINATION ${json_include})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${json_include}
  INTERFACE_INCLUDE_DIRECTORIES ${json_include})
bp_redirect_find_package(nlohmann_json "set(nlohmann_json_FOUND TRUE)")
