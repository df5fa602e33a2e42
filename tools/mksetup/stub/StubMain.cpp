// A do-nothing Windows program whose only purpose is to carry a SETUPDATA
// resource, so that setup data can be appended to it in tests and demos.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
