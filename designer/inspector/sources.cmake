target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/inspectortexts.h
  ${CMAKE_CURRENT_LIST_DIR}/inspectormodel.h
  ${CMAKE_CURRENT_LIST_DIR}/inspectormodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objectinspector.h
  ${CMAKE_CURRENT_LIST_DIR}/objectinspector.cpp
  ${CMAKE_CURRENT_LIST_DIR}/inspectorcommits.cpp
)
