# Part 5.1: the command-string translation of the control-character notation.
mx_fuzz(notation_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/notation_fuzz.cpp LIBS mx_notation)
