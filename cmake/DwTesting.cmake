include(GoogleTest)

# dw_add_test(<area> <module> LIBS <libs...> [SOURCES <extra sources...>])
# Builds tests/<area>/test_<module>.cpp into one GoogleTest binary and registers its cases
# with CTest. Test data is found through DW_TEST_DATA_DIR, never the working directory.
function(dw_add_test area module)
    cmake_parse_arguments(ARG "" "" "LIBS;SOURCES;PROPERTIES" ${ARGN})
    set(ARG_PROPERTIES_KEYWORD)
    if(ARG_PROPERTIES)
        set(ARG_PROPERTIES_KEYWORD PROPERTIES)
    endif()
    set(target test_${area}_${module})
    add_executable(${target} test_${module}.cpp ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main ${ARG_LIBS})
    target_compile_definitions(${target} PRIVATE
        DW_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
        DW_SAMPLES_DIR="${PROJECT_SOURCE_DIR}/samples"
        DW_BIN_DIR="${PROJECT_BINARY_DIR}/bin")
    gtest_discover_tests(${target}
        DISCOVERY_TIMEOUT 60
        NO_PRETTY_VALUES
        ${ARG_PROPERTIES_KEYWORD} ${ARG_PROPERTIES})
    # The environment is a list, which gtest_discover_tests would split into separate
    # properties; a test include file sets it on the discovered tests instead.
    set(env_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_environment.cmake)
    file(WRITE ${env_file}
        "if(${target}_TESTS)\n"
        "  set_tests_properties(\${${target}_TESTS} PROPERTIES ENVIRONMENT\n"
        "    \"QT_QPA_PLATFORM=offscreen;DIALWRIGHT_REGISTRY=${PROJECT_BINARY_DIR}/registry.txt\")\n"
        "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${env_file})
endfunction()
