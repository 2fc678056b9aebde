target_sources(controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/stretchhandle.h
  ${CMAKE_CURRENT_LIST_DIR}/stretchhandle.cpp
)
