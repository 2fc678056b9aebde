target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/generatorconfig.h
  ${CMAKE_CURRENT_LIST_DIR}/generatorconfig.cpp
  ${CMAKE_CURRENT_LIST_DIR}/programlinks.h
  ${CMAKE_CURRENT_LIST_DIR}/programlinks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gencfgdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/gencfgdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toolwindows.h
  ${CMAKE_CURRENT_LIST_DIR}/toolwindows.cpp
)
