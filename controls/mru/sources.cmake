target_sources(controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/mrufilelist.h
  ${CMAKE_CURRENT_LIST_DIR}/mrufilelist.cpp
)
