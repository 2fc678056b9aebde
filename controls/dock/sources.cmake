target_sources(controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/dockarrange.h
  ${CMAKE_CURRENT_LIST_DIR}/dockarrange.cpp
  ${CMAKE_CURRENT_LIST_DIR}/barlayout.h
  ${CMAKE_CURRENT_LIST_DIR}/barlayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/floatplan.h
  ${CMAKE_CURRENT_LIST_DIR}/floatplan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dragoutline.h
  ${CMAKE_CURRENT_LIST_DIR}/dragoutline.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dock.h
  ${CMAKE_CURRENT_LIST_DIR}/dock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toolbar.h
  ${CMAKE_CURRENT_LIST_DIR}/toolbar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toolbartrack.h
  ${CMAKE_CURRENT_LIST_DIR}/toolbarfloating.cpp
)
