# A DLL linked without the C run-time, with the entry point given: the link
# and hardening flags of the shipped Korzel.dll, for it and for the test-only
# DLLs that are compared with it.
#   korzel_runtime_free_dll(<target> <entry point>)
# The entry point is a stdcall function of three arguments, named undecorated.
function(korzel_runtime_free_dll target entry)
    target_compile_features(${target} PRIVATE cxx_std_20)
    # A compiler-emitted call into a run-time helper (memcpy, memset, a stack
    # probe) has nothing to resolve to and fails the link.
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Os -fno-exceptions -fno-rtti -fno-stack-protector
            -ffunction-sections -fdata-sections -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>)
    # Stripped, ASLR and NX on, and reproducible: a fixed image base and no
    # time stamps.
    target_link_options(${target} PRIVATE
        -nostdlib -s -Wl,--gc-sections
        -Wl,--dynamicbase -Wl,--nxcompat
        -Wl,--no-insert-timestamp -Wl,--build-id=none)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        # No frame data: nothing in the image unwinds or registers an SEH
        # handler.
        target_compile_options(${target} PRIVATE
            $<$<COMPILE_LANGUAGE:CXX>:-fno-asynchronous-unwind-tables -fno-unwind-tables>)
        target_link_options(${target} PRIVATE -Wl,-e,_${entry}@12
            -Wl,--image-base,0x10000000 -Wl,--no-seh)
    else()
        # x64 keeps its table-based unwind data (.pdata/.xdata): without it
        # the platform cannot walk the stack through a call that runs a
        # message loop, such as Configure's.
        target_link_options(${target} PRIVATE -Wl,-e,${entry}
            -Wl,--image-base,0x180000000 -Wl,--high-entropy-va)
    endif()
endfunction()
