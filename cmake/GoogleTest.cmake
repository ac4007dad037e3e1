# GoogleTest, cross-built from Debian's source package.
set(HOLVANE_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${HOLVANE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# The main of every test program: unbuffered output, and an unhandled
# exception named with the test that was running (tests/TestMain.cpp).
add_library(holvane_test_main STATIC ${CMAKE_SOURCE_DIR}/tests/TestMain.cpp)
target_link_libraries(holvane_test_main PUBLIC holvane_options GTest::gtest)

# A test executable under Wine: linked statically, with the test support
# library (tests/support), each test its own process.
#   holvane_add_test(name SOURCES... [LIBS ...] [LOCK resource ...] [GUI]
#                    [SERIAL regex])
# GUI marks tests that show windows on the test display: they take the lock
# "display", so that no other test's window covers theirs, takes their focus
# or their input while they read pixels from the screen or send clicks.
# SERIAL names the tests (by a regular expression of their full names) that
# reach every process of the prefix and so run while no other test runs.
function(holvane_add_test name)
    cmake_parse_arguments(ARG "GUI" "SERIAL" "SOURCES;LIBS;LOCK" ${ARGN})
    if(ARG_GUI)
        list(APPEND ARG_LOCK display)
        list(REMOVE_DUPLICATES ARG_LOCK)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE holvane_options holvane_test_main holvane_test_support
                          ${ARG_LIBS})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT 120)
    # The discovery passes its properties on as a flat list, which would cut a
    # list of locks into property-value pairs; the locks are set instead by a
    # script that ctest reads after the discovered tests.
    if(ARG_LOCK)
        set(lock_script ${CMAKE_CURRENT_BINARY_DIR}/${name}_locks.cmake)
        file(WRITE ${lock_script} "if(${name}_TESTS)\n"
             "  set_tests_properties(\${${name}_TESTS} PROPERTIES RESOURCE_LOCK \"${ARG_LOCK}\")\n"
             "endif()\n")
        set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${lock_script})
    endif()
    if(ARG_SERIAL)
        set(serial_script ${CMAKE_CURRENT_BINARY_DIR}/${name}_serial.cmake)
        file(WRITE ${serial_script} "foreach(test IN LISTS ${name}_TESTS)\n"
             "  if(test MATCHES \"${ARG_SERIAL}\")\n"
             "    set_tests_properties(\${test} PROPERTIES RUN_SERIAL TRUE)\n"
             "  endif()\n"
             "endforeach()\n")
        set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${serial_script})
    endif()
endfunction()
