// The running system reduced to one version code.
#pragma once

enum OSVersionCode {
  OS_WIN32S = 0,
  OS_WIN95 = 1,
  OS_WIN98 = 2,
  OS_WINME = 3,
  OS_NT_OTHER = 4,
  OS_NT4 = 5,
  OS_WIN2000 = 6,
  OS_WINXP = 7,
  OS_WIN2003 = 8,
  OS_VISTA = 9,
  OS_WIN7 = 10,
};

int GetOSVersion();
