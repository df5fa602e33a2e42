// The macro expander with a fuzzer-chosen environment and product: the input
// is "name=value" lines, a NUL byte, then the text to expand.
#include "Exception.h"
#include "uMacros.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    size_t split = input.find('\0');
    std::string settings = split == std::string::npos ? std::string() : input.substr(0, split);
    std::string text = split == std::string::npos ? input : input.substr(split + 1);

    std::map<std::string, std::string> environment;
    uMacros::TProductMacros product;
    size_t start = 0;
    while (start < settings.size()) {
        size_t end = settings.find('\n', start);
        std::string line = settings.substr(start, end == std::string::npos ? std::string::npos : end - start);
        size_t equals = line.find('=');
        if (equals != std::string::npos) {
            std::string name = line.substr(0, equals), value = line.substr(equals + 1);
            if (name == "<COMPANY_NAME>")
                product.CompanyName = value;
            else if (name == "<PRODUCT_NAME>")
                product.ProductName = value;
            else
                environment[name] = value;
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    uSystemFolders::TSpecialFolders folders;
    folders.Windows = "C:\\Windows";
    try {
        uMacros::ExpandMacros(text, product, folders, "C:\\Setup", [&](const std::string& name) {
            auto found = environment.find(name);
            return found == environment.end() ? std::string() : found->second;
        });
    } catch (const Exception&) {
    }
    return 0;
}
