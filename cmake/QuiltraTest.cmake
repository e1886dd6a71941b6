# Qt wants a private runtime folder and warns without one; every warning ends a test.
set(QUILTRA_TEST_RUNTIME_DIR ${CMAKE_BINARY_DIR}/test-runtime)
file(MAKE_DIRECTORY ${QUILTRA_TEST_RUNTIME_DIR})
file(CHMOD ${QUILTRA_TEST_RUNTIME_DIR} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

# quiltra_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [WARNINGS_NOT_FATAL])
# Builds one Qt Test executable and registers it with CTest. Every test runs
# on the offscreen platform, so no display is needed, and any Qt warning ends it
# unless the test declared it with QTest::ignoreMessage. WARNINGS_NOT_FATAL is for
# a test whose code under test reads warnings Qt gives on purpose; it fails on
# any other warning itself (QTest::failOnWarning).
function(quiltra_add_test)
    cmake_parse_arguments(ARG "WARNINGS_NOT_FATAL" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE Qt6::Test ${ARG_LIBS})
    target_include_directories(${ARG_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    set_target_properties(${ARG_NAME} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
    set_tests_properties(${ARG_NAME} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${QUILTRA_TEST_RUNTIME_DIR};$<IF:$<BOOL:${ARG_WARNINGS_NOT_FATAL}>,QT_FATAL_WARNINGS=0,QT_FATAL_WARNINGS=1>"
        TIMEOUT 300)
endfunction()
