# A Linux program over the stand-in desktop (tests/standin): the core and the
# plug-in's exports, compiled unchanged against the stand-in windows.h, with
# the given sources. FLAGS go to the compiler and the linker for everything
# in it, the core included (sanitizers, fuzzer coverage).
#   korzel_standin_executable(<name> SOURCES <file>... [FLAGS <flag>...])
function(korzel_standin_executable name)
    cmake_parse_arguments(arg "" "" "SOURCES;FLAGS" ${ARGN})
    korzel_core(${name}_core)
    target_compile_options(${name}_core PRIVATE ${arg_FLAGS})
    add_executable(${name} ${arg_SOURCES}
        ${PROJECT_SOURCE_DIR}/plugin/exports.cpp
        ${PROJECT_SOURCE_DIR}/tests/invariants.cpp
        ${PROJECT_SOURCE_DIR}/tests/keystrokes.cpp
        ${PROJECT_SOURCE_DIR}/tests/standin/desktop.cpp)
    target_link_libraries(${name} PRIVATE ${name}_core)
    target_compile_options(${name} PRIVATE -Wall -Wextra ${arg_FLAGS})
    target_link_options(${name} PRIVATE ${arg_FLAGS})
endfunction()
