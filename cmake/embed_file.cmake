# Writes a C++ source that holds a file's bytes: cmake -DINPUT=… -DOUTPUT=… -DSYMBOL=… -P embed_file.cmake
file(READ ${INPUT} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT} "#include <cstdint>\n#include <span>\n\nnamespace embedded {\nnamespace {\nconstexpr std::uint8_t kBytes[] = {\n${bytes}};\n}  // namespace\n\nstd::span<const std::uint8_t> ${SYMBOL}() { return kBytes; }\n\n}  // namespace embedded\n")
