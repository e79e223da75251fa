# Helpers for the project's modules: DLLs with exported names fixed by a .def
# file, and GoogleTest programs run under the Wine loader.

# The .def files list the i686 names with their stdcall decoration
# (Name@bytes). The 32-bit DLL exports them undecorated (--kill-at) and its
# import library, made by dlltool -k, maps the decorated names callers
# reference to those plain names. x86_64 has one calling convention and no
# decoration, so its .def is the same list with the decoration stripped.
function(zv_def_for_target def out_var)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        get_filename_component(base ${def} NAME)
        set(out ${CMAKE_CURRENT_BINARY_DIR}/${base})
        file(READ ${def} text)
        string(REGEX REPLACE "([A-Za-z_][A-Za-z0-9_]*)@[0-9]+" "\\1" text "${text}")
        file(WRITE ${out}.tmp "${text}")
        file(COPY_FILE ${out}.tmp ${out} ONLY_IF_DIFFERENT)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
        set(${out_var} ${out} PARENT_SCOPE)
    else()
        set(${out_var} ${def} PARENT_SCOPE)
    endif()
endfunction()

# zv_add_dll(<name> DEF <file> SOURCES <src>... [LINK <lib>...])
function(zv_add_dll name)
    cmake_parse_arguments(ARG "" "DEF" "SOURCES;LINK" ${ARGN})
    zv_def_for_target(${CMAKE_CURRENT_SOURCE_DIR}/${ARG_DEF} def)
    add_library(${name} SHARED ${ARG_SOURCES} ${def})
    set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE ${ARG_LINK})
    if(NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
        target_link_options(${name} PRIVATE -Wl,--kill-at)
        add_custom_command(TARGET ${name} POST_BUILD
            COMMAND ${CMAKE_DLLTOOL} -k -d ${def} -D ${name}.dll
                    -l $<TARGET_LINKER_FILE:${name}>
            COMMENT "Import library of ${name}.dll with stdcall names")
    endif()
endfunction()

# zv_add_test(<name> SOURCES <src>... [LINK <lib>...]): one GoogleTest program
# of a module. It is built for both targets; CTest runs it only where it can
# run, on the 64-bit target under Wine.
function(zv_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LINK} GTest::gtest GTest::gtest_main)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        add_test(NAME ${name} COMMAND ${name})
    endif()
endfunction()
