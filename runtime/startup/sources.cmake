target_sources(runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/runtimecontext.h
  ${CMAKE_CURRENT_LIST_DIR}/runtimecontext.cpp
)
