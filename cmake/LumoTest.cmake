# lumo_add_test(NAME name [WIDGETS] SOURCES a.cpp b.cpp LIBS lib...)
# Every test runs headless; Qt Test and GoogleTest executables are both welcome.
# WIDGETS gives GoogleTest cases a QApplication instead of a QGuiApplication.
# Sanitizer builds detect leaks; cmake/lsan.supp names the few outside our code.
function(lumo_add_test)
  cmake_parse_arguments(T "WIDGETS" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  if(T_WIDGETS)
    set(T_MAIN lumo_widget_test_main)
  else()
    set(T_MAIN lumo_test_main)
  endif()
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} Qt6::Test GTest::gtest ${T_MAIN})
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    TIMEOUT 300)
endfunction()
