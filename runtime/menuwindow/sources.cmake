target_sources(runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/menuwindowbase.h
  ${CMAKE_CURRENT_LIST_DIR}/menuwindowbase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menuwindow.h
  ${CMAKE_CURRENT_LIST_DIR}/menuwindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/subwindow.h
  ${CMAKE_CURRENT_LIST_DIR}/subwindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menuview.h
  ${CMAKE_CURRENT_LIST_DIR}/menuview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/programchoice.h
  ${CMAKE_CURRENT_LIST_DIR}/programchoice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/categories.cpp
  ${CMAKE_CURRENT_LIST_DIR}/eventhook.h
  ${CMAKE_CURRENT_LIST_DIR}/functions.h
  ${CMAKE_CURRENT_LIST_DIR}/functions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menuwindowkind.h
  ${CMAKE_CURRENT_LIST_DIR}/sounds.cpp
)
