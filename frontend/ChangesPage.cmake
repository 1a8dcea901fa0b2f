# Writes OUT, a C++ source whose kbtool::changesPageSource() returns the text
# of IN (the page of queltKbTool changes --format html) as it is.
# usage: cmake -DIN=ChangesPage.html -DOUT=ChangesPage.cpp -P ChangesPage.cmake
file(READ "${IN}" page)
string(FIND "${page}" ")quelt_page\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${IN} holds the end of the raw string that would carry it")
endif()
file(WRITE "${OUT}.new" "// Made from frontend/ChangesPage.html when the program is built.\n"
  "#include \"frontend/ChangesFormats.h\"\n\n"
  "const char* kbtool::changesPageSource()\n{\n    return R\"quelt_page(${page})quelt_page\";\n}\n")
file(RENAME "${OUT}.new" "${OUT}")
