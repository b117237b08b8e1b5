# derize_add_gtest(<name> SOURCES <file>... [LIBS <library>...] [OWN_MAIN]
#                  [DEPENDS <target>...] [ENVIRONMENT <VAR=value>...]
#                  [ARGS <argument>...] [NO_TEST])
#
# One GoogleTest program of the project: built into the current binary
# folder (not beside the launcher, whose folder the tests fill with modules
# of their own), with the project's warnings, linked with GoogleTest's main
# unless OWN_MAIN says the program brings its own. On the build machine
# every test of the program becomes a CTest test of its own; in a cross
# build (Windows under Wine) the program runs as one test, through the
# toolchain's emulator, as discovering tests would need Wine while building.
# ARGS are handed to every run, ENVIRONMENT set for it; NO_TEST builds the
# program without registering it (for tests that need their own options).
include(GoogleTest)

function(derize_add_gtest name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "OWN_MAIN;NO_TEST" ""
                          "SOURCES;LIBS;DEPENDS;ENVIRONMENT;ARGS")
    if(arg_UNPARSED_ARGUMENTS OR NOT arg_SOURCES)
        message(FATAL_ERROR "derize_add_gtest(${name}): SOURCES needed, "
                            "unknown arguments: ${arg_UNPARSED_ARGUMENTS}")
    endif()
    add_executable(${name} ${arg_SOURCES})
    if(arg_OWN_MAIN)
        target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest)
    else()
        target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest_main)
    endif()
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    if(arg_DEPENDS)
        add_dependencies(${name} ${arg_DEPENDS})
    endif()
    derize_set_warnings(${name})

    if(arg_NO_TEST)
        return()
    endif()
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${name} COMMAND ${name} ${arg_ARGS})
        if(arg_ENVIRONMENT)
            set_tests_properties(${name} PROPERTIES ENVIRONMENT "${arg_ENVIRONMENT}")
        endif()
    else()
        set(_properties)
        if(arg_ENVIRONMENT)
            set(_properties PROPERTIES ENVIRONMENT "${arg_ENVIRONMENT}")
        endif()
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 EXTRA_ARGS ${arg_ARGS} ${_properties})
    endif()
endfunction()
