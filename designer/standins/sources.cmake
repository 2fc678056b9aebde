target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/palettestandin.h
  ${CMAKE_CURRENT_LIST_DIR}/palettestandin.cpp
)
