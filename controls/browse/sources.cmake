target_sources(controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/browsefolder.h
  ${CMAKE_CURRENT_LIST_DIR}/browsefolder.cpp
)
