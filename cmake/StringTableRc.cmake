# Writes the resource script's STRINGTABLE from src/res/StringTable.cpp, the program's one table of texts.
# Run with cmake -DSOURCE=<StringTable.cpp> -DOUTPUT=<file.rc> -P StringTableRc.cmake.
#
# Each entry of the C++ table sits on its own line as `"text",  // id`; the script fails when a line of the
# table's shape is not understood or the ids do not run 101..174 in order, rather than writing a table that
# differs from the program's.
file(STRINGS ${SOURCE} lines REGEX "^ *\".*\", *// [0-9]+$")
set(out "// Generated from src/res/StringTable.cpp at build time; edit that file instead.\nSTRINGTABLE\nBEGIN\n")
set(expected 101)
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^ *\"(.*)\", *// ([0-9]+)$")
    message(FATAL_ERROR "StringTableRc: cannot read the line: ${line}")
  endif()
  set(text "${CMAKE_MATCH_1}")
  set(id "${CMAKE_MATCH_2}")
  if(NOT id EQUAL expected)
    message(FATAL_ERROR "StringTableRc: id ${id} where ${expected} was expected")
  endif()
  # C++ escapes a quote as \" and a backslash as \\; a resource script doubles the quote and keeps \\.
  string(REPLACE "\\\"" "\"\"" text "${text}")
  if(NOT text STREQUAL "")
    string(APPEND out "  ${id}, \"${text}\"\n")
  endif()
  math(EXPR expected "${expected} + 1")
endforeach()
if(NOT expected EQUAL 175)
  message(FATAL_ERROR "StringTableRc: the table ends before id 174 (next id ${expected})")
endif()
string(APPEND out "END\n")
# Rewritten only when it changes, so an edit elsewhere in StringTable.cpp does not rebuild the resources.
file(CONFIGURE OUTPUT ${OUTPUT} CONTENT "${out}" @ONLY)
