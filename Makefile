# Korzel: the plug-in, its tests and its demo. Each target installs what it
# needs first (tools/bootstrap.sh, tools/wine-env.sh), so a fresh Debian
# machine needs nothing else.
.PHONY: dll win64 demo test native-test fuzz-test fuzz bench readme-keymap format format-check wine-stop clean

# Windows programs under Wine see this folder on drive Z:.
Z := Z:$(CURDIR)

dll:
	tools/bootstrap.sh build
	cmake --preset win32
	cmake --build --preset win32

# The 64-bit build: test-only DLL, stand-in host and stand-in Korrin.
win64:
	tools/bootstrap.sh build
	cmake --preset win64
	cmake --build --preset win64

demo: dll win64
	tools/wine-env.sh run build/win32/tools/korzel-host.exe demo $(Z)/dist/Korzel.dll $(Z)/build/win64/tools/korrin.exe

native-test:
	tools/bootstrap.sh build
	cmake --preset native
	cmake --build --preset native
	ctest --preset native

# The fuzzer for a bounded minute.
fuzz-test:
	tools/bootstrap.sh build
	cmake --preset fuzz
	cmake --build --preset fuzz
	ctest --preset fuzz

# A longer fuzz run: make fuzz FUZZ_SECONDS=3600
FUZZ_SECONDS ?= 900
fuzz:
	tools/bootstrap.sh build
	cmake --preset fuzz
	cmake --build --preset fuzz
	tests/fuzz/run_fuzzer.sh build/fuzz/tests/fuzz/handle_key_fuzzer build/fuzz/corpus-long $(FUZZ_SECONDS)

test: format-check native-test fuzz-test dll win64
	tools/wine-env.sh setup
	ctest --preset win64
	ctest --preset win32

# The C++ sources in the layout of .clang-format.
format-check:
	tools/bootstrap.sh build
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

format:
	tools/bootstrap.sh build
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format -i

# Benchmarks (not tests): the native logic with Google Benchmark, then the
# DLL under Wine side by side with the bare platform calls, and its load
# against an empty DLL's: the 64-bit build, then the shipped 32-bit one
# (fewer rounds: it runs emulated here). Results are recorded in
# docs/performance.md.
bench: dll win64
	cmake --preset bench
	cmake --build --preset bench
	build/bench/tests/bench/korzel_native_bench
	tools/wine-env.sh run build/win64/tools/korzel-host.exe bench $(Z)/build/win64/plugin/Korzel.dll \
		--empty $(Z)/build/win64/tests/e2e/korzel_empty.dll
	tools/wine-env.sh run build/win32/tools/korzel-host.exe bench $(Z)/dist/Korzel.dll \
		--empty $(Z)/build/win32/tests/e2e/korzel_empty.dll --rounds 15 --calls 800

# Rewrites the README's key map from what the 32-bit DLL does.
readme-keymap: dll win64
	tools/wine-env.sh run build/win32/tools/korzel-host.exe demo $(Z)/dist/Korzel.dll $(Z)/build/win64/tools/korrin.exe \
		--keymap $(Z)/build/win32/keymap.md
	tools/readme-keymap.sh update README.md build/win32/keymap.md

wine-stop:
	tools/wine-env.sh stop

clean:
	rm -rf build dist
