#include "sys/SingleRun.h"

namespace {

constexpr const char* kTexts[] = {
    "An installation or removal of the printer driver is already running. Wait until it has ended, "
    "then try again.\nNothing has been changed.",
    // 打印机驱动程序的安装或卸载正在进行中。请等它结束后再试。\n未做任何更改。
    "\xb4\xf2\xd3\xa1\xbb\xfa\xc7\xfd\xb6\xaf\xb3\xcc\xd0\xf2\xb5\xc4\xb0\xb2\xd7\xb0\xbb\xf2\xd0\xb6\xd4\xd8\xd5\xfd"
    "\xd4\xda\xbd\xf8\xd0\xd0\xd6\xd0\xa1\xa3\xc7\xeb\xb5\xc8\xcb\xfc\xbd\xe1\xca\xf8\xba\xf3\xd4\xd9\xca\xd4\xa1\xa3"
    "\n\xce\xb4\xd7\xf6\xc8\xce\xba\xce\xb8\xfc\xb8\xc4\xa1\xa3",
    // 印表機驅動程式的安裝或移除正在進行中。請等它結束後再試。\n未做任何變更。
    "\xa6L\xaa\xed\xbe\xf7\xc5X\xb0\xca\xb5{\xa6\xa1\xaa\xba\xa6w\xb8\xcb\xa9\xce\xb2\xbe\xb0\xa3\xa5\xbf\xa6" "b\xb6i"
    "\xa6\xe6\xa4\xa4\xa1" "C\xbd\xd0\xb5\xa5\xa5\xa6\xb5\xb2\xa7\xf4\xab\xe1\xa6" "A\xb8\xd5\xa1" "C\n\xa5\xbc\xb0\xb5"
    "\xa5\xf4\xa6\xf3\xc5\xdc\xa7\xf3\xa1" "C",
};

}  // namespace

// A mutex that cannot be made at all (no rights to the name) counts as held by another run.
CSingleRun::CSingleRun() : m_hMutex(CreateMutexA(nullptr, FALSE, kSingleRunMutexName)) {
  m_bOnly = m_hMutex != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
}

CSingleRun::~CSingleRun() {
  if (m_hMutex) CloseHandle(m_hMutex);
}

bool CSingleRun::TellUserIfNotOnly(TextLanguage language, const char* caption) const {
  if (m_bOnly) return true;
  MessageBoxA(nullptr, AnotherRunText(language), caption, MB_OK | MB_ICONSTOP);
  return false;
}

const char* AnotherRunText(TextLanguage language) { return kTexts[static_cast<int>(language)]; }
