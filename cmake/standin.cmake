# A Linux program built from the plug-in's own sources over the stand-in
# desktop (tests/standin/windows.h comes first on the include path), plus the
# given sources.
function(korzel_standin_executable name)
    add_executable(${name} ${ARGN}
        ${KORZEL_TARGET_SOURCES}
        ${PROJECT_SOURCE_DIR}/plugin/exports.cpp
        ${PROJECT_SOURCE_DIR}/tests/invariants.cpp
        ${PROJECT_SOURCE_DIR}/tests/keystrokes.cpp
        ${PROJECT_SOURCE_DIR}/tests/standin/desktop.cpp)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/standin ${PROJECT_SOURCE_DIR})
    target_compile_features(${name} PRIVATE cxx_std_20)
endfunction()
