target_sources(controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/filenames.h
  ${CMAKE_CURRENT_LIST_DIR}/filenames.cpp
)
