target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/designbuilders.h
  ${CMAKE_CURRENT_LIST_DIR}/designbuilders.cpp
)
