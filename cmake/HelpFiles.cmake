# Lays the players' help page and its picture out in the program folder's
# help/, where the help window finds them.
file(GLOB GULUSPELL_HELP_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/help/*)
add_custom_target(guluspell_help ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${GULUSPELL_PROGRAM_DIR}/help
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${GULUSPELL_HELP_FILES} ${GULUSPELL_PROGRAM_DIR}/help/
  DEPENDS ${GULUSPELL_HELP_FILES}
  COMMENT "Laying out the help page")
