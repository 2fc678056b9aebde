target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/templatemessages.h
  ${CMAKE_CURRENT_LIST_DIR}/templatestore.h
  ${CMAKE_CURRENT_LIST_DIR}/templatestore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/templatedialog.h
  ${CMAKE_CURRENT_LIST_DIR}/templatedialog.cpp
)
