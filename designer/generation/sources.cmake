target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/generationengine.h
  ${CMAKE_CURRENT_LIST_DIR}/generationengine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/generationdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/generationdialog.cpp
)
