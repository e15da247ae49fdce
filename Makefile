# Korzel: the plug-in, its tests and its demo. Each target installs what it
# needs first (tools/bootstrap.sh), so a fresh Debian machine needs nothing else.
.PHONY: dll test native-test dll-test clean

dll:
	tools/bootstrap.sh build
	cmake --preset win32
	cmake --build --preset win32

native-test:
	tools/bootstrap.sh build
	cmake --preset native
	cmake --build --preset native
	ctest --preset native

dll-test: dll
	ctest --preset win32

test: native-test dll-test

clean:
	rm -rf build dist
