target_sources(sharedcontrols PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/imagewidget.h
  ${CMAKE_CURRENT_LIST_DIR}/imagewidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menubuilder.h
  ${CMAKE_CURRENT_LIST_DIR}/menubuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menuobjects.h
  ${CMAKE_CURRENT_LIST_DIR}/menuobjects.cpp
)
