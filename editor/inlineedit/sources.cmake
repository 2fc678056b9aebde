target_sources(editor PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/inedit.h
  ${CMAKE_CURRENT_LIST_DIR}/inedit.cpp
)
