// A program that install and uninstall commands run in the setup tests.
//   command_probe <answer> <note file> [<watched file>] [/LOG:<answer file>]
// Appends one line to the note file: <answer>, the install_path read from the "/LOG:" file
// (or "nolog"), and whether the watched file exists ("present"/"absent"). With a
// "/LOG:" file it answers as <answer> says: "cancel", "error:<text>" or "ok".
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument.compare(0, 5, "/LOG:") == 0)
            answerFile = argument.substr(5);
        else
            arguments.push_back(argument);
    }
    if (arguments.size() < 2)
        return 2;
    const std::string& answer = arguments[0];
    std::string installPath = "nolog";
    if (!answerFile.empty()) {
        std::ifstream in(answerFile, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        installPath = ValueOf(text.str(), "install_path");
    }
    std::string watched;
    if (arguments.size() > 2)
        watched = GetFileAttributesA(arguments[2].c_str()) == INVALID_FILE_ATTRIBUTES ? "absent" : "present";
    std::ofstream(arguments[1], std::ios::binary | std::ios::app) << answer << "|" << installPath << "|" << watched << "\r\n";
    if (!answerFile.empty()) {
        std::ofstream out(answerFile, std::ios::binary | std::ios::app);
        if (answer == "cancel")
            out << "Cancel=Y\r\n";
        else if (answer.compare(0, 6, "error:") == 0)
            out << "Error=Y\r\nErrorString=" << answer.substr(6) << "\r\n";
    }
    return 0;
}
