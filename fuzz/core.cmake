# Parsers of outside bytes in the core and in mxtool: configuration files, device strings, JSON.
mx_fuzz(config_file_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/config_file_fuzz.cpp LIBS mx_core)
mx_fuzz(device_text_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/device_text_fuzz.cpp LIBS mx_core)
if(TARGET mx_tool)
  mx_fuzz(image_json_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/image_json_fuzz.cpp LIBS mx_tool)
endif()
