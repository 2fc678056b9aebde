target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/pathmessages.h
  ${CMAKE_CURRENT_LIST_DIR}/pathrewrite.h
  ${CMAKE_CURRENT_LIST_DIR}/pathrewrite.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pathdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/pathdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/requiredfiles.h
  ${CMAKE_CURRENT_LIST_DIR}/requiredfiles.cpp
)
