target_sources(editor PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/musicentries.h
  ${CMAKE_CURRENT_LIST_DIR}/musicentries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/musicscan.h
  ${CMAKE_CURRENT_LIST_DIR}/musicscan.cpp
)
