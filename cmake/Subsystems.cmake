# Subsystems are added once they have a CMakeLists.txt of their own.
function(kalvora_add_optional_subdirectory dir)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endfunction()

# A subsystem library gathers its families: each family folder lists its own
# files in a sources.cmake that adds them to the library target, so families
# can be worked on side by side.
function(kalvora_add_families target)
  file(GLOB family_lists CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/sources.cmake)
  list(SORT family_lists)
  foreach(family_list IN LISTS family_lists)
    include(${family_list})
  endforeach()
endfunction()

# A GoogleTest program whose main starts a headless QApplication.
function(kalvora_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE kalvora_testmain ${T_LIBS})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# A subsystem library that has no family yet still builds.
function(kalvora_ensure_sources target)
  get_target_property(sources ${target} SOURCES)
  if(NOT sources)
    set(stub ${CMAKE_CURRENT_BINARY_DIR}/${target}_empty.cpp)
    file(WRITE ${stub} "// ${target} has no sources yet\n")
    target_sources(${target} PRIVATE ${stub})
  endif()
endfunction()
