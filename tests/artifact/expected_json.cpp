// Writes the oracle's values about the module as JSON, for the Python checks
// of the DLL as a file (test_dll.py), so that they hold the DLL to the same
// statement as the other tests. Built and run on the build machine.
//   expected_json <output file>
#include <cstdio>
#include <string>

#include "tests/expected.h"

namespace {

std::string Quoted(const char* text) {
    std::string quoted = "\"";
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '"' || *c == '\\') quoted += '\\';
        quoted += *c;
    }
    return quoted + "\"";
}

template <size_t N>
std::string Numbers(const unsigned (&values)[N]) {
    std::string list = "[";
    for (size_t i = 0; i < N; ++i) list += (i ? ", " : "") + std::to_string(values[i]);
    return list + "]";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::string json = "{\n  \"module\": " + Quoted(expected::kModuleName) + ",\n  \"exports\": [";
    for (const expected::Export& e : expected::kExports) {
        json += std::string(&e == expected::kExports ? "" : ", ") + "[" + std::to_string(e.ordinal) + ", " +
                Quoted(e.name) + "]";
    }
    json += "],\n  \"file_version\": " + Numbers(expected::kFileVersion) +
            ",\n  \"product_version\": " + Numbers(expected::kProductVersion) +
            ",\n  \"file_flags_mask\": " + std::to_string(expected::kFileFlagsMask) +
            ",\n  \"file_flags\": " + std::to_string(expected::kFileFlags) +
            ",\n  \"file_os\": " + std::to_string(expected::kFileOs) +
            ",\n  \"file_type\": " + std::to_string(expected::kFileType) +
            ",\n  \"file_subtype\": " + std::to_string(expected::kFileSubtype) +
            ",\n  \"string_table\": " + Quoted(expected::kStringTable) +
            ",\n  \"translation\": " + Numbers(expected::kTranslation) + ",\n  \"strings\": [";
    for (const expected::VersionString& s : expected::kVersionStrings) {
        json += std::string(&s == expected::kVersionStrings ? "" : ", ") + "[" + Quoted(s.name) + ", " +
                Quoted(s.value) + "]";
    }
    json += "]\n}\n";
    FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) return 1;
    std::fputs(json.c_str(), out);
    return std::fclose(out) == 0 ? 0 : 1;
}
