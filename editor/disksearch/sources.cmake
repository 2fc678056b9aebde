target_sources(editor PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/disksearch.h
  ${CMAKE_CURRENT_LIST_DIR}/disksearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/searchworker.h
  ${CMAKE_CURRENT_LIST_DIR}/searchworker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/searchmessages.h
  ${CMAKE_CURRENT_LIST_DIR}/dataeditorhost.h
  ${CMAKE_CURRENT_LIST_DIR}/searchdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/searchdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/znajdz.h
  ${CMAKE_CURRENT_LIST_DIR}/znajdz.cpp
)
