target_sources(sharedcontrols PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/transplist.h
  ${CMAKE_CURRENT_LIST_DIR}/transplist.cpp
)
