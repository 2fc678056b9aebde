target_sources(editor PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/masks.h
  ${CMAKE_CURRENT_LIST_DIR}/masks.cpp
)
