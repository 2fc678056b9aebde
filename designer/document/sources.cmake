target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/designerproject.h
  ${CMAKE_CURRENT_LIST_DIR}/projectreader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/projectwriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/surfacedesign.h
  ${CMAKE_CURRENT_LIST_DIR}/surfacedesign.cpp
)
