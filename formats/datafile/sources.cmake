target_sources(formats PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/datafile.h
  ${CMAKE_CURRENT_LIST_DIR}/datafile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/datafilemessages.h
)
