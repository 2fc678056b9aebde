target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/aboutbox.h
  ${CMAKE_CURRENT_LIST_DIR}/aboutbox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/aboutpicture.h
  ${CMAKE_CURRENT_LIST_DIR}/aboutpicture.cpp
)
