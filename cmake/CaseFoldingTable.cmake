# cmake -DINPUT=CaseFolding.txt -DOUTPUT=CaseFoldingTable.inc -P CaseFoldingTable.cmake
# Turns the Unicode Character Database's case folding file into C++ table rows
# "{0x0041, 0x0061}," of its common and simple mappings (status C and S), in code point order:
# one character folds to one character, as names are compared.
file(STRINGS "${INPUT}" lines REGEX "^[0-9A-F]+; [CS]; [0-9A-F]+;")
set(rows "")
foreach(line IN LISTS lines)
  string(REGEX MATCH "^([0-9A-F]+); [CS]; ([0-9A-F]+);" _ "${line}")
  string(APPEND rows "{0x${CMAKE_MATCH_1}, 0x${CMAKE_MATCH_2}},\n")
endforeach()
list(LENGTH lines count)
if(count LESS 1000)
  message(FATAL_ERROR "${INPUT} holds only ${count} case foldings")
endif()
file(WRITE "${OUTPUT}.tmp" "${rows}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
