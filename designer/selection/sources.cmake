target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/stretchselection.h
  ${CMAKE_CURRENT_LIST_DIR}/stretchselection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/surfacecommands.h
  ${CMAKE_CURRENT_LIST_DIR}/surfacecommands.cpp
)
