# cmake -DINPUT=<file> -DOUTPUT=<source.cpp> -DTYPE=<type> (-DID=<id> | -DNAME=<name>)
#       -P embed_resource.cmake
# Writes a C++ source holding the file's bytes that registers them as a
# program resource when the program starts.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
if(size EQUAL 0)
    set(bytes "0")
else()
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
endif()
if(DEFINED NAME)
    # A C++ string literal of the name: quotes and backslashes escaped.
    string(REPLACE "\\" "\\\\" key "${NAME}")
    string(REPLACE "\"" "\\\"" key "${key}")
    set(key "\"${key}\"")
else()
    set(key "${ID}")
endif()
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}; do not edit.
#include \"platform/resources/embedded_resources.h\"

namespace {
alignas(16) const unsigned char kBytes[] = {
${bytes}
};
[[maybe_unused]] const bool kRegistered =
    platform::RegisterEmbeddedResource(\"${TYPE}\", ${key}, kBytes, ${size});
}  // namespace
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
