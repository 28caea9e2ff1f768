# The program's own background templates, painted by lumo_template_maker and worked
# over by lumovander-batch's filters (scripts/make-templates.sh): beside the program in the build tree, which
# keeps its data beside itself, and installed in share/lumovander/Templates, from where
# a user's first start copies them (cardfile/ShippedTemplates).
# The names are the script's, one "template NAME ..." line each.
file(STRINGS ${PROJECT_SOURCE_DIR}/scripts/make-templates.sh LUMO_TEMPLATE_LINES REGEX "^template [A-Za-z]+( |$)")
set(LUMO_TEMPLATE_NAMES)
foreach(line ${LUMO_TEMPLATE_LINES})
  string(REGEX REPLACE "^template ([A-Za-z]+).*" "\\1" name "${line}")
  list(APPEND LUMO_TEMPLATE_NAMES ${name})
endforeach()
set(LUMO_TEMPLATE_DIR ${CMAKE_BINARY_DIR}/templates)
set(LUMO_TEMPLATE_FILES)
foreach(name ${LUMO_TEMPLATE_NAMES})
  list(APPEND LUMO_TEMPLATE_FILES ${LUMO_TEMPLATE_DIR}/${name}.tmp)
endforeach()
add_custom_command(OUTPUT ${LUMO_TEMPLATE_FILES}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${LUMO_TEMPLATE_DIR}
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/make-templates.sh $<TARGET_FILE:lumo_template_maker>
          $<TARGET_FILE:lumovander-batch> ${LUMO_TEMPLATE_DIR}
  # Beside the built program only what is not there yet: a template the user changed stays.
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/make-templates.sh $<TARGET_FILE:lumo_template_maker>
          $<TARGET_FILE:lumovander-batch> $<TARGET_FILE_DIR:lumovander>/Templates
  DEPENDS lumo_template_maker lumovander-batch ${PROJECT_SOURCE_DIR}/scripts/make-templates.sh
  COMMENT "Drawing the program's own templates"
  VERBATIM)
add_custom_target(lumo_templates ALL DEPENDS ${LUMO_TEMPLATE_FILES})
install(FILES ${LUMO_TEMPLATE_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/lumovander/Templates)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make-templates.sh)
