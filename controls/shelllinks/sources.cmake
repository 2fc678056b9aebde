target_sources(controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/shelllinks.h
  ${CMAKE_CURRENT_LIST_DIR}/shelllinks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/desktopentry.h
  ${CMAKE_CURRENT_LIST_DIR}/desktopentry.cpp
)
