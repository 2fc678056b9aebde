target_sources(editor PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/treewalk.h
  ${CMAKE_CURRENT_LIST_DIR}/treewalk.cpp
)
