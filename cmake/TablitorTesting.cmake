# add_qt_test_suite(<name> SOURCES <files...> LIBRARIES <targets...>)
# A GoogleTest executable for widgets: its main() runs the tests under a QApplication on the
# offscreen platform unless QT_QPA_PLATFORM says otherwise.
function(add_qt_test_suite name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/qt_test_main.cpp)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} Qt6::Widgets Qt6::Test GTest::gtest GTest::gmock)
  gtest_discover_tests(${name} TEST_PREFIX "${TABLITOR_TEST_PREFIX}" DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
