target_sources(controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/bitcheckbox.h
  ${CMAKE_CURRENT_LIST_DIR}/bitcheckbox.cpp
)
