include(GoogleTest)

# dw_add_test(<area> <module> LIBS <libs...> [SOURCES <extra sources...>])
# Builds tests/<area>/test_<module>.cpp into one GoogleTest binary and registers its cases
# with CTest. Test data is found through DW_TEST_DATA_DIR, never the working directory.
function(dw_add_test area module)
    cmake_parse_arguments(ARG "" "" "LIBS;SOURCES;PROPERTIES" ${ARGN})
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
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;DIALWRIGHT_REGISTRY=${PROJECT_BINARY_DIR}/registry.txt"
                   ${ARG_PROPERTIES})
endfunction()
