// setup's program entry: the framework's start-up of the one application object, theApp.
#include <windows.h>

#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
  CWinApp* app = AfxGetApp();
  if (!app) return -1;
  app->InitApplication(hInstance);
  if (!app->InitInstance()) return app->ExitInstance();
  return app->Run();
}
