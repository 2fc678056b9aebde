# The zip directory reader, the entry-name decoder and the safe extraction
# writer. Plain C++ without Qt, built position-independent, because the
# archive plug-ins link it as well as the runtime.
add_library(zipformat STATIC
  ${CMAKE_CURRENT_LIST_DIR}/zipbytes.h
  ${CMAKE_CURRENT_LIST_DIR}/zipsource.h
  ${CMAKE_CURRENT_LIST_DIR}/zipsource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zipdirectory.h
  ${CMAKE_CURRENT_LIST_DIR}/zipdirectory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entrynames.h
  ${CMAKE_CURRENT_LIST_DIR}/entrynames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/safeextract.h
  ${CMAKE_CURRENT_LIST_DIR}/safeextract.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spanjoin.h
  ${CMAKE_CURRENT_LIST_DIR}/spanjoin.cpp
)
set_target_properties(zipformat PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_include_directories(zipformat PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(formats PUBLIC zipformat)
