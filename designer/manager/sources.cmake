target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/projectfiles.h
  ${CMAKE_CURRENT_LIST_DIR}/projectfiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/projectmanager.h
  ${CMAKE_CURRENT_LIST_DIR}/projectmanager.cpp
)
