# The resources every Windows binary of the project carries.
#
#   derize_add_version_info(<target>
#       DESCRIPTION <English file description>
#       [DESCRIPTION_RU <Russian file description>]   (the English one if not given)
#       ORIGINAL_FILENAME <file name, e.g. derize-zizir.exe>)
#
# Adds a version resource (VERSIONINFO) to the executable or DLL <target>,
# generated from cmake/VersionInfo.rc.in: product name DERIZE-Zizir, file
# and product version the project's (project() in the top CMakeLists.txt),
# the file description, the maker's copyright notice
# (resources/notices/copyright-*.txt, its lines joined) and the original file
# name, in a Russian and an English string table. Does nothing when the
# target system is not Windows, so that a target built for both can call it
# unconditionally.
#
#   DERIZE_WINDOWS_VERSION   the project's version as Windows writes it,
#                            four numbers (major.minor.patch.0), for manifests
#   DERIZE_PRODUCT_NAME      "DERIZE-Zizir"
#
#   derize_without_default_manifest(<target>)
#
# Keeps the toolchain's own application manifest (MinGW-w64's
# default-manifest.o, which some toolchains link into every executable) out
# of <target>, whose resources carry a manifest of their own: two manifests
# would make the system's choice between them a matter of resource order.
# For an object library of resources: out of every program that links it.

set(DERIZE_PRODUCT_NAME "DERIZE-Zizir")

# Four numbers, missing ones 0.
set(_derize_version_numbers ${CMAKE_PROJECT_VERSION_MAJOR} ${CMAKE_PROJECT_VERSION_MINOR}
    ${CMAKE_PROJECT_VERSION_PATCH} ${CMAKE_PROJECT_VERSION_TWEAK})
set(_derize_numbers)
foreach(_number IN LISTS _derize_version_numbers)
    if(_number STREQUAL "")
        set(_number 0)
    endif()
    list(APPEND _derize_numbers ${_number})
endforeach()
list(LENGTH _derize_numbers _count)
while(_count LESS 4)
    list(APPEND _derize_numbers 0)
    math(EXPR _count "${_count} + 1")
endwhile()
list(JOIN _derize_numbers "." DERIZE_WINDOWS_VERSION)
list(JOIN _derize_numbers "," DERIZE_WINDOWS_VERSION_COMMAS)
unset(_derize_version_numbers)
unset(_derize_numbers)
unset(_count)

# A text as a resource script's string literal: quotes doubled, backslashes
# escaped.
function(_derize_rc_string out text)
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\"" "\"\"" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The maker's notice in one language, its lines joined by a space.
function(_derize_notice_line out file)
    set(_path ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../resources/notices/${file})
    cmake_path(NORMAL_PATH _path)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_path})
    file(READ ${_path} _notice)
    string(REGEX REPLACE "[ \t]*[\r\n]+[ \t]*" " " _notice "${_notice}")
    string(STRIP "${_notice}" _notice)
    _derize_rc_string(_notice "${_notice}")
    set(${out} "${_notice}" PARENT_SCOPE)
endfunction()

function(derize_add_version_info target)
    cmake_parse_arguments(PARSE_ARGV 1 _vi "" "DESCRIPTION;DESCRIPTION_RU;ORIGINAL_FILENAME" "")
    if(_vi_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "derize_add_version_info(${target}): unknown arguments ${_vi_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT _vi_DESCRIPTION OR NOT _vi_ORIGINAL_FILENAME)
        message(FATAL_ERROR "derize_add_version_info(${target}): DESCRIPTION and ORIGINAL_FILENAME are needed")
    endif()
    if(NOT WIN32)
        return()
    endif()
    if(NOT _vi_DESCRIPTION_RU)
        set(_vi_DESCRIPTION_RU "${_vi_DESCRIPTION}")
    endif()
    get_target_property(_type ${target} TYPE)
    if(_type STREQUAL "EXECUTABLE")
        set(DERIZE_VI_FILETYPE "0x1L") # VFT_APP
    elseif(_type STREQUAL "SHARED_LIBRARY" OR _type STREQUAL "MODULE_LIBRARY")
        set(DERIZE_VI_FILETYPE "0x2L") # VFT_DLL
    else()
        message(FATAL_ERROR "derize_add_version_info(${target}): a ${_type} is no Windows binary")
    endif()

    _derize_rc_string(DERIZE_VI_DESCRIPTION_EN "${_vi_DESCRIPTION}")
    _derize_rc_string(DERIZE_VI_DESCRIPTION_RU "${_vi_DESCRIPTION_RU}")
    _derize_rc_string(DERIZE_VI_ORIGINAL_FILENAME "${_vi_ORIGINAL_FILENAME}")
    _derize_notice_line(DERIZE_VI_COPYRIGHT_EN copyright-en.txt)
    _derize_notice_line(DERIZE_VI_COPYRIGHT_RU copyright-ru.txt)
    set(DERIZE_VI_VERSION ${CMAKE_PROJECT_VERSION})

    set(_rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/VersionInfo.rc.in ${_rc} @ONLY)
    target_sources(${target} PRIVATE ${_rc})
endfunction()

function(derize_without_default_manifest target)
    if(NOT MINGW)
        return()
    endif()
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=default-manifest.o
                    OUTPUT_VARIABLE _default OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${_default}")
        return() # this toolchain links no manifest of its own
    endif()
    # The compiler driver takes the first default-manifest.o on its search
    # path; -B puts an empty one of the project's first.
    set(_dir ${CMAKE_BINARY_DIR}/no-default-manifest)
    if(NOT EXISTS ${_dir}/default-manifest.o)
        file(MAKE_DIRECTORY ${_dir})
        file(WRITE ${_dir}/empty.c "")
        execute_process(COMMAND ${CMAKE_C_COMPILER} -c ${_dir}/empty.c -o ${_dir}/default-manifest.o
                        RESULT_VARIABLE _failed)
        if(_failed)
            message(FATAL_ERROR "Cannot build an empty default-manifest.o in ${_dir}")
        endif()
    endif()
    # An object library of resources hands the option to what links it.
    get_target_property(_type ${target} TYPE)
    if(_type STREQUAL "OBJECT_LIBRARY")
        target_link_options(${target} INTERFACE -B${_dir}/)
    else()
        target_link_options(${target} PRIVATE -B${_dir}/)
    endif()
endfunction()
