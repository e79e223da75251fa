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

# zv_binds(<target> <dll>...): <target> imports each of the project's DLLs
# by name when it is loaded. The DLL's import library is linked, and its
# first export is referenced at link time, so that the import table names the
# DLL even before the module's code calls into it.
function(zv_binds target)
    foreach(dll ${ARGN})
        get_target_property(def ${dll} ZV_DEF)
        file(STRINGS ${def} lines REGEX "^[ \t]+[A-Za-z_]")
        list(GET lines 0 first)
        string(REGEX MATCH "[A-Za-z_][A-Za-z0-9_]*(@[0-9]+)?" symbol "${first}")
        if(CMAKE_SIZEOF_VOID_P EQUAL 8)
            string(REGEX REPLACE "@[0-9]+$" "" symbol "${symbol}")
            set(imp "__imp_${symbol}")
        else()
            set(imp "__imp__${symbol}")
        endif()
        target_link_libraries(${target} PRIVATE ${dll})
        target_link_options(${target} PRIVATE "LINKER:-u,${imp}")
    endforeach()
endfunction()

# zv_add_dll(<name> DEF <file> SOURCES <src>... [LINK <lib>...] [BINDS <dll>...])
function(zv_add_dll name)
    cmake_parse_arguments(ARG "" "DEF" "SOURCES;LINK;BINDS" ${ARGN})
    zv_def_for_target(${CMAKE_CURRENT_SOURCE_DIR}/${ARG_DEF} def)
    add_library(${name} SHARED ${ARG_SOURCES} ${def})
    set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name}
                          ZV_DEF ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_DEF})
    # Public headers pass strings as the form layer's short strings.
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/forms)
    target_link_libraries(${name} PRIVATE ${ARG_LINK})
    zv_binds(${name} ${ARG_BINDS})
    if(NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
        target_link_options(${name} PRIVATE -Wl,--kill-at)
        add_custom_command(TARGET ${name} POST_BUILD
            COMMAND ${CMAKE_DLLTOOL} -k -d ${def} -D ${name}.dll
                    -l $<TARGET_LINKER_FILE:${name}>
            COMMENT "Import library of ${name}.dll with stdcall names")
    endif()
endfunction()

# zv_add_program(<name> SOURCES <src>... [LINK <lib>...] [BINDS <dll>...])
function(zv_add_program name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINK;BINDS" ${ARGN})
    add_executable(${name} WIN32 ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LINK})
    zv_binds(${name} ${ARG_BINDS})
endfunction()

# zv_add_test(<name> SOURCES <src>... [LINK <lib>...] [DISPLAY] [LOCKS <name>...]):
# one GoogleTest program of a module. It is built for both targets; CTest runs
# it only where it can run, on the 64-bit target under Wine. DISPLAY: it shows
# windows and sends input, so it has the display to itself while it runs.
# LOCKS: settings of the whole system that it changes, which no other test
# with the same lock changes at the same time.
function(zv_add_test name)
    cmake_parse_arguments(ARG "DISPLAY" "" "SOURCES;LINK;LOCKS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/forms/tests)
    target_link_libraries(${name} PRIVATE ${ARG_LINK} GTest::gtest GTest::gtest_main)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        add_test(NAME ${name} COMMAND ${name})
        set(locks ${ARG_LOCKS})
        if(ARG_DISPLAY)
            list(APPEND locks display)
        endif()
        if(locks)
            set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${locks}")
        endif()
    endif()
endfunction()
