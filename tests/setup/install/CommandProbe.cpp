// A program that install commands run in tests: it reads the "/LOG:" file it is
// given, leaves a note of its arguments in the install folder named there, and
// answers as its first argument says ("cancel", "error" or anything else).
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ValueOf(const std::string& text, const std::string& name)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.compare(0, name.size() + 1, name + "=") == 0)
            return line.substr(name.size() + 1);
    }
    return std::string();
}

} // namespace

int main(int argc, char** argv)
{
    std::string answerFile;
    std::string arguments;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument.compare(0, 5, "/LOG:") == 0)
            answerFile = argument.substr(5);
        else
            arguments += (arguments.empty() ? "" : " ") + argument;
    }
    std::string installPath;
    if (!answerFile.empty()) {
        std::ifstream in(answerFile, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        installPath = ValueOf(text.str(), "install_path");
    }
    std::string notePath = installPath.empty() ? std::string("probe-ran.txt") : installPath + "\\probe-ran.txt";
    std::ofstream(notePath, std::ios::binary | std::ios::app) << arguments << "|" << (answerFile.empty() ? "nolog" : "log")
                                                               << "\r\n";
    if (!answerFile.empty()) {
        std::ofstream out(answerFile, std::ios::binary | std::ios::app);
        if (arguments.compare(0, 6, "cancel") == 0)
            out << "Cancel=Y\r\n";
        else if (arguments.compare(0, 5, "error") == 0)
            out << "Error=Y\r\nErrorString=the probe failed on purpose\r\n";
    }
    return 0;
}
