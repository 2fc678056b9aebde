target_sources(formats PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/projectformat.h
  ${CMAKE_CURRENT_LIST_DIR}/projectformat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menudesign.h
  ${CMAKE_CURRENT_LIST_DIR}/menudesign.cpp
)
