target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/alignment.h
  ${CMAKE_CURRENT_LIST_DIR}/alignment.cpp
  ${CMAKE_CURRENT_LIST_DIR}/aligndialog.h
  ${CMAKE_CURRENT_LIST_DIR}/aligndialog.cpp
)
