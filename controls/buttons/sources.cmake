target_sources(controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/buttonglyph.h
  ${CMAKE_CURRENT_LIST_DIR}/buttonglyph.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glyphbutton.h
  ${CMAKE_CURRENT_LIST_DIR}/glyphbutton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toolbarbutton.h
  ${CMAKE_CURRENT_LIST_DIR}/toolbarbutton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menubutton.h
  ${CMAKE_CURRENT_LIST_DIR}/menubutton.cpp
)
