// Conversions between a Windows ANSI code page, UTF-16 and UTF-8 (iconv from the C library).
#pragma once

#include <string>
#include <string_view>

namespace winemu {

// The ANSI code pages a machine may have: 874, 932, 936, 949, 950, 1250 to 1258 and 65001. All
// keep ASCII as it is.
bool IsAnsiCodePage(unsigned codePage);
std::string AnsiCodePageList();  // "874, 932, ..." for messages

// Whether `byte` starts a double-byte character in `codePage`: 932 has lead bytes 0x81 to 0x9F and
// 0xE0 to 0xFC; 936, 949 and 950 0x81 to 0xFE; the single-byte code pages and 65001 none.
bool IsLeadByte(unsigned codePage, unsigned char byte);

// The iconv name of a Windows code page (1252 -> "CP1252", 936 -> "CP936", 950 -> "BIG5", 65001 -> "UTF-8").
std::string IconvName(unsigned codePage);

// Bytes that do not decode become U+FFFD; characters that do not encode become '?', as Windows does.
std::u16string AnsiToWide(std::string_view ansi, unsigned codePage);
std::string WideToAnsi(std::u16string_view wide, unsigned codePage);
std::string WideToUtf8(std::u16string_view wide);
std::u16string Utf8ToWide(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi, unsigned codePage);
std::string Utf8ToAnsi(std::string_view utf8, unsigned codePage);

}  // namespace winemu
