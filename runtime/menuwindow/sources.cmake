target_sources(runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/menuwindow.h
  ${CMAKE_CURRENT_LIST_DIR}/menuwindow.cpp
)
