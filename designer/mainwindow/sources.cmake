target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/asystent.h
  ${CMAKE_CURRENT_LIST_DIR}/asystent.cpp
  ${CMAKE_CURRENT_LIST_DIR}/generatorwindow.h
  ${CMAKE_CURRENT_LIST_DIR}/generatorwindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/generatorcommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hinttexts.h
  ${CMAKE_CURRENT_LIST_DIR}/hinttexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindowmessages.h
)
