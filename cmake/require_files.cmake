# Fails, naming each missing file, unless every file exists.
#   cmake -DFILES="<file>|<file>..." -P require_files.cmake
string(REPLACE "|" ";" files "${FILES}")
set(missing "")
foreach(file IN LISTS files)
    if(NOT EXISTS "${file}")
        string(APPEND missing "\n  ${file}")
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "missing from the other build:${missing}\n"
                        "build it first: cmake --preset win64 && cmake --build --preset win64 "
                        "(or win32, for the 64-bit run's other-machine case)")
endif()
