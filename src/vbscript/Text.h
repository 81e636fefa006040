#pragma once
// Script strings are UTF-8 here, while VBScript counts characters: Len, Mid and InStr work in
// characters, so they convert positions through these helpers. Case folding covers ASCII and
// the Latin letters of Windows-1252, which is what scripts compare without regard to case.
#include <cstdint>
#include <string>
#include <string_view>

namespace quillon::vbscript::text {

size_t CharCount(std::string_view s);
// The byte offset of the character at 0-based index `chars`; s.size() past the end.
size_t ByteOffset(std::string_view s, size_t chars);
// 0-based character index of a byte offset.
size_t CharIndex(std::string_view s, size_t bytes);
// Characters [start, start + count) of s; clipped at the end.
std::string_view CharSlice(std::string_view s, size_t start, size_t count);

std::string Upper(std::string_view s);
std::string Lower(std::string_view s);
char32_t FoldCase(char32_t c);
// -1, 0 or 1; `ignore_case` compares folded characters.
int Compare(std::string_view a, std::string_view b, bool ignore_case);
// Byte offset of `needle` in `haystack` from byte `from`, or npos.
size_t Find(std::string_view haystack, std::string_view needle, size_t from, bool ignore_case);
size_t FindLast(std::string_view haystack, std::string_view needle, size_t before_end,
                bool ignore_case);

}  // namespace quillon::vbscript::text
