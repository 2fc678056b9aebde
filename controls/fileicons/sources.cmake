target_sources(controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/peicons.h
  ${CMAKE_CURRENT_LIST_DIR}/peicons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fileindexicon.h
  ${CMAKE_CURRENT_LIST_DIR}/fileindexicon.cpp
)
