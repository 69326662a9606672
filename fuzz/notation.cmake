# Fuzz target for the command-string translation of the brace notation.
mx_fuzz(notation_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/notation_fuzz.cpp LIBS mx_notation)
