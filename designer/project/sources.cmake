target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/cdfolder.h
  ${CMAKE_CURRENT_LIST_DIR}/cdfolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/designercontext.h
  ${CMAKE_CURRENT_LIST_DIR}/designercontext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/designermessages.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogbutton.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogbutton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/designerservices.h
  ${CMAKE_CURRENT_LIST_DIR}/openprojectwrite.h
  ${CMAKE_CURRENT_LIST_DIR}/openprojectwrite.cpp
  ${CMAKE_CURRENT_LIST_DIR}/projectfiles.h
  ${CMAKE_CURRENT_LIST_DIR}/projectfiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/projectsettings.h
  ${CMAKE_CURRENT_LIST_DIR}/projectsettings.cpp
)
