target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/designsnapshot.h
  ${CMAKE_CURRENT_LIST_DIR}/designsnapshot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/undosteps.h
  ${CMAKE_CURRENT_LIST_DIR}/undosteps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/undowindow.h
  ${CMAKE_CURRENT_LIST_DIR}/undowindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/designundo.h
  ${CMAKE_CURRENT_LIST_DIR}/designundo.cpp
)
