target_sources(controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/sortkeys.h
  ${CMAKE_CURRENT_LIST_DIR}/sortkeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sortgridmodel.h
  ${CMAKE_CURRENT_LIST_DIR}/sortgridmodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sortgrid.h
  ${CMAKE_CURRENT_LIST_DIR}/sortgrid.cpp
)
