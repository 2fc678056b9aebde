target_sources(controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/maskbitmap.h
  ${CMAKE_CURRENT_LIST_DIR}/maskbitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controlshaper.h
  ${CMAKE_CURRENT_LIST_DIR}/controlshaper.cpp
)
