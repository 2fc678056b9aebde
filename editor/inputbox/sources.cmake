target_sources(editor PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/inputbox.h
  ${CMAKE_CURRENT_LIST_DIR}/inputbox.cpp
)
