target_sources(editor PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/filelistsort.h
  ${CMAKE_CURRENT_LIST_DIR}/filelistsort.cpp
  ${CMAKE_CURRENT_LIST_DIR}/filelistmodel.h
  ${CMAKE_CURRENT_LIST_DIR}/filelistmodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/filelistview.h
  ${CMAKE_CURRENT_LIST_DIR}/filelistview.cpp
)
