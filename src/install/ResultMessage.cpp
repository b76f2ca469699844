#include "install/ResultMessage.h"

namespace {

// Success and failure texts by TextLanguage; the Chinese ones as code page 936 and 950 bytes.
constexpr const char* kTexts[][2] = {
    {"The Printer Driver has been installed successfully!", "The Printer Driver installation has been failed!"},
    // "打印机驱动程序安装成功!" / "打印机驱动程序安装失败!"
    {"\xb4\xf2\xd3\xa1\xbb\xfa\xc7\xfd\xb6\xaf\xb3\xcc\xd0\xf2\xb0\xb2\xd7\xb0\xb3\xc9\xb9\xa6!",
     "\xb4\xf2\xd3\xa1\xbb\xfa\xc7\xfd\xb6\xaf\xb3\xcc\xd0\xf2\xb0\xb2\xd7\xb0\xca\xa7\xb0\xdc!"},
    // "打印機驅動程序安裝成功!" / "打印機驅動程序安裝失敗!"
    {"\xa5\xb4\xa6\x4c\xbe\xf7\xc5\x58\xb0\xca\xb5\x7b\xa7\xc7\xa6\x77\xb8\xcb\xa6\xa8\xa5\x5c!",
     "\xa5\xb4\xa6\x4c\xbe\xf7\xc5\x58\xb0\xca\xb5\x7b\xa7\xc7\xa6\x77\xb8\xcb\xa5\xa2\xb1\xd1!"},
};

}  // namespace

const char* ResultText(bool success, TextLanguage language) {
  return kTexts[static_cast<int>(language)][success ? 0 : 1];
}
