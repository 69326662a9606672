# The device link's reply parsers and the simulated interface's request parser: outside bytes.
if(TARGET mx_link AND TARGET mx_sim)
  mx_fuzz(link_reply_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/link_reply_fuzz.cpp LIBS mx_link mx_sim)
  mx_fuzz(sim_request_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/sim_request_fuzz.cpp LIBS mx_sim)
endif()
