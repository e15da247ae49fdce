# The target-control core (target/): finding Korrin's window, the focus
# answer and key translation. A library that carries what every user of it
# needs: its include folder, the C++ standard, its definitions and its
# warnings. On Windows it builds against the platform's windows.h; on Linux
# against the stand-in desktop's (tests/standin), which comes first.
#   korzel_core(<name>)
function(korzel_core name)
    add_library(${name} STATIC
        ${PROJECT_SOURCE_DIR}/target/key_translation.cpp
        ${PROJECT_SOURCE_DIR}/target/target_window.cpp)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_features(${name} PUBLIC cxx_std_20)
    if(WIN32)
        target_compile_definitions(${name} PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)
    else()
        target_include_directories(${name} BEFORE PUBLIC ${PROJECT_SOURCE_DIR}/tests/standin)
    endif()
    target_compile_options(${name} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()
