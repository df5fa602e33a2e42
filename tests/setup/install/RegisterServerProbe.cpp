// A program that registers itself as COM servers do ("/RegServer"), for the setup
// tests: it asks the test's window "FerrinRegisterWatcher" for an answer and notes
// beside itself (its path + ".answer") whether one came and how it was started.
#include <windows.h>

#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    HWND watcher = FindWindowA("FerrinRegisterWatcher", nullptr);
    DWORD_PTR result = 0;
    // A caller that only waits for this program does not answer before the timeout.
    bool answered = watcher && SendMessageTimeoutA(watcher, WM_APP + 7, 0, 0, SMTO_NORMAL, 5000, &result) &&
                    result == 42;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::ofstream(std::string(self) + ".answer", std::ios::binary)
        << (answered ? "answered" : "no answer") << " " << (argc > 1 ? argv[1] : "");
    return 0;
}
