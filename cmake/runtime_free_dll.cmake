# Code and DLLs without the C run-time: the compile flags of the shipped
# Korzel.dll, for it, for the core it links, and for the test-only DLLs that
# are compared with it; and its link and hardening flags.

# A compiler-emitted call into a run-time helper (memcpy, memset, a stack
# probe) has nothing to resolve to and fails the link.
function(korzel_runtime_free_compile_options target)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Os -fno-exceptions -fno-rtti -fno-stack-protector
            -ffunction-sections -fdata-sections -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        # No frame data: nothing in the image unwinds or registers an SEH
        # handler. (x64 keeps its table-based unwind data, .pdata/.xdata:
        # without it the platform cannot walk the stack through a call that
        # runs a message loop, such as Configure's.)
        target_compile_options(${target} PRIVATE
            $<$<COMPILE_LANGUAGE:CXX>:-fno-asynchronous-unwind-tables -fno-unwind-tables>)
    endif()
endfunction()

# Links nothing but what the target names, with the entry point given: a
# stdcall function of three arguments, named undecorated.
#   korzel_runtime_free_dll(<target> <entry point>)
function(korzel_runtime_free_dll target entry)
    korzel_runtime_free_compile_options(${target})
    # Stripped, ASLR and NX on, and reproducible: a fixed image base and no
    # time stamps.
    target_link_options(${target} PRIVATE
        -nostdlib -s -Wl,--gc-sections
        -Wl,--dynamicbase -Wl,--nxcompat
        -Wl,--no-insert-timestamp -Wl,--build-id=none)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        # No SEH handler is registered anywhere in the image.
        target_link_options(${target} PRIVATE -Wl,-e,_${entry}@12
            -Wl,--image-base,0x10000000 -Wl,--no-seh)
    else()
        target_link_options(${target} PRIVATE -Wl,-e,${entry}
            -Wl,--image-base,0x180000000 -Wl,--high-entropy-va)
    endif()
endfunction()
