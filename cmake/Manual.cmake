# The user's manual, "Lumovander.pdf": docs/handleiding.md typeset by lumo_manual_maker.
# It lies beside the program in the build tree, where Help finds it when the program runs
# from there, and is installed in share/lumovander (core/HelpMenu looks in both).
add_executable(lumo_manual_maker ${PROJECT_SOURCE_DIR}/src/program/ManualMakerMain.cpp)
target_link_libraries(lumo_manual_maker PRIVATE Qt6::Gui)
set(LUMO_MANUAL_SOURCE ${PROJECT_SOURCE_DIR}/docs/handleiding.md)
set(LUMO_MANUAL ${CMAKE_BINARY_DIR}/src/program/Lumovander.pdf)
# The pictures the text shows, "![…](path)", so that a new screenshot makes it again.
file(STRINGS ${LUMO_MANUAL_SOURCE} LUMO_MANUAL_PICTURE_LINES REGEX "!\\[[^]]*\\]\\([^)]+\\)")
set(LUMO_MANUAL_PICTURES)
foreach(line ${LUMO_MANUAL_PICTURE_LINES})
  string(REGEX REPLACE ".*!\\[[^]]*\\]\\(([^)]+)\\).*" "\\1" picture "${line}")
  list(APPEND LUMO_MANUAL_PICTURES ${PROJECT_SOURCE_DIR}/docs/${picture})
endforeach()
add_custom_command(OUTPUT ${LUMO_MANUAL}
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:lumo_manual_maker> ${LUMO_MANUAL_SOURCE} ${LUMO_MANUAL}
  DEPENDS lumo_manual_maker ${LUMO_MANUAL_SOURCE} ${LUMO_MANUAL_PICTURES}
  COMMENT "Typesetting the manual Lumovander.pdf"
  VERBATIM)
add_custom_target(lumo_manual ALL DEPENDS ${LUMO_MANUAL})
install(FILES ${LUMO_MANUAL} DESTINATION ${CMAKE_INSTALL_DATADIR}/lumovander)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${LUMO_MANUAL_SOURCE})
