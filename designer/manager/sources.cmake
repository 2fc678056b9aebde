target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/configurationfiles.h
  ${CMAKE_CURRENT_LIST_DIR}/configurationfiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/projectmanager.h
  ${CMAKE_CURRENT_LIST_DIR}/projectmanager.cpp
)
