# Copies the shipped DLL into dist/ and writes SHA256SUMS beside it.
# cmake -DDLL=<built dll> -DDIST=<dist folder> -P dist.cmake
file(MAKE_DIRECTORY "${DIST}")
get_filename_component(name "${DLL}" NAME)
file(COPY_FILE "${DLL}" "${DIST}/${name}" ONLY_IF_DIFFERENT)
file(SHA256 "${DIST}/${name}" hash)
file(WRITE "${DIST}/SHA256SUMS" "${hash}  ${name}\n")
