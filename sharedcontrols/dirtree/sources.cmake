target_sources(sharedcontrols PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/dirtree.h
  ${CMAKE_CURRENT_LIST_DIR}/dirtree.cpp
)
