# The RAR header walker: plain C++ without Qt, built position-independent,
# because the RAR plug-in links it as well as the tests and the fuzzer.
add_library(rarformat STATIC
  ${CMAKE_CURRENT_LIST_DIR}/rarheaders.h
  ${CMAKE_CURRENT_LIST_DIR}/rarheaders.cpp
)
set_target_properties(rarformat PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_include_directories(rarformat PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(rarformat PUBLIC zipformat)
