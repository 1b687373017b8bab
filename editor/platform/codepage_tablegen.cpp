// Writes the code page 932 table that codepage_icu.cpp reads, as a C++ header: every answer of
// its ICU conversion for the bytes 80-FF alone and after a lead byte, taken at build time, so
// that a start of the program need not open ICU's converter to read names.
#include <cstdio>

#include <unicode/uclean.h>

#include "codepage_system.h"

namespace {

void writeRow(std::FILE* out, const char16_t* row, int count) {
    for (int i = 0; i < count; ++i) {
        std::fprintf(out, "%s0x%04X,", i % 16 == 0 ? "\n    " : " ", unsigned(row[i]));
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 1;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) {
        return 1;
    }
    std::fprintf(out,
                 "// Made by codepage_tablegen from ICU at build time; not to be edited.\n"
                 "#pragma once\n\n"
                 "inline constexpr bool kTableLeadBytes[128] = {");
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        std::fprintf(out, "%s%s,", byte % 16 == 0 ? "\n    " : " ",
                     SystemCodePage::isLeadByte(static_cast<quint8>(byte)) ? "true" : "false");
    }
    std::fprintf(out, "\n};\n\ninline constexpr char16_t kTableSingleBytes[128] = {");
    char16_t row[256];
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const char bytes[1] = {static_cast<char>(byte)};
        row[byte - 0x80] = SystemCodePage::character(bytes, 1);
    }
    writeRow(out, row, 128);
    std::fprintf(out,
                 "\n};\n\n// [lead - 0x80][trail]\ninline constexpr char16_t "
                 "kTableDoubleBytes[128][256] = {");
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (int trail = 0; trail <= 0xFF; ++trail) {
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            row[trail] = SystemCodePage::character(bytes, 2);
        }
        std::fprintf(out, "\n    {");
        writeRow(out, row, 256);
        std::fprintf(out, "\n    },");
    }
    std::fprintf(out, "\n};\n");
    const bool written = std::fclose(out) == 0;
    u_cleanup();
    return written ? 0 : 1;
}
