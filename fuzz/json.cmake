# The image as JSON, as mxtool import reads it from outside.
mx_fuzz(image_json_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/image_json_fuzz.cpp LIBS mx_json)
