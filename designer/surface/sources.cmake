target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/designobjects.h
  ${CMAKE_CURRENT_LIST_DIR}/designobjects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menusurface.h
  ${CMAKE_CURRENT_LIST_DIR}/menusurface.cpp
)
