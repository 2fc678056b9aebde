target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/designedits.h
  ${CMAKE_CURRENT_LIST_DIR}/designedits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objectkinds.h
  ${CMAKE_CURRENT_LIST_DIR}/objectkinds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objectstyle.h
  ${CMAKE_CURRENT_LIST_DIR}/objectstyle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objectviews.h
  ${CMAKE_CURRENT_LIST_DIR}/objectviews.cpp
)
