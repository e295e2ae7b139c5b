# Writes OUTPUT, a C++ source holding INPUT's bytes as SYMBOL in NAMESPACE.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(('\\\\x[0-9a-f][0-9a-f]',){32})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}
"// Generated from ${INPUT}; do not edit.
#include \"${HEADER}\"

namespace ${NAMESPACE} {
namespace {
constexpr char bytes[${size} + 1] = {
${bytes}'\\0'};
}  // namespace
const std::string_view ${SYMBOL}{bytes, ${size}};
}  // namespace ${NAMESPACE}
")
