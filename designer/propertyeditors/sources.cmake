target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/editormessages.h
  ${CMAKE_CURRENT_LIST_DIR}/inspectoreditors.h
  ${CMAKE_CURRENT_LIST_DIR}/inspectoreditors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/onebitmask.h
  ${CMAKE_CURRENT_LIST_DIR}/onebitmask.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pickedpaths.h
  ${CMAKE_CURRENT_LIST_DIR}/pickedpaths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/propertyeditors.h
  ${CMAKE_CURRENT_LIST_DIR}/propertyeditors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reach.h
  ${CMAKE_CURRENT_LIST_DIR}/reach.cpp
)
