# Parsers of outside bytes in the core: configuration files, device strings.
mx_fuzz(config_file_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/config_file_fuzz.cpp LIBS mx_core)
mx_fuzz(device_text_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/device_text_fuzz.cpp LIBS mx_core)
