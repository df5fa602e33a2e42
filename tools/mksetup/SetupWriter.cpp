// Writing the blocks of setup data into a deflate stream.
#include "SetupWriter.h"

#include "Exception.h"
#include "SysUtils.h"
#include "TFileStream.h"
#include "uSetupData.h"

#include <limits>

namespace {

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::uint32_t CheckedLength(size_t size)
{
    if (size > std::numeric_limits<std::uint32_t>::max())
        throw Exception("a block of " + std::to_string(size) + " bytes does not fit a 32-bit length");
    return static_cast<std::uint32_t>(size);
}

} // namespace

TSetupDataWriter::TSetupDataWriter(TStream& dest) : deflate_(TCompressionLevel::clMax, dest) {}

void TSetupDataWriter::Dword(std::uint32_t value)
{
    unsigned char bytes[4];
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    deflate_.WriteBuffer(bytes, sizeof bytes);
}

void TSetupDataWriter::TextBlock(const std::string& text)
{
    Dword(CheckedLength(text.size()) ^ uSetupData::kLengthMask);
    deflate_.WriteBuffer(text.data(), text.size());
}

void TSetupDataWriter::TextBlock(const std::vector<std::string>& lines) { TextBlock(Joined(lines)); }

void TSetupDataWriter::UserInterfaceBlock(const std::string& bytes)
{
    Dword(CheckedLength(bytes.size()));
    deflate_.WriteBuffer(bytes.data(), bytes.size());
}

void TSetupDataWriter::Payload(const std::string& bytes)
{
    Dword(CheckedLength(bytes.size()) ^ uSetupData::kLengthMask);
    deflate_.WriteBuffer(bytes.data(), bytes.size());
}

void TSetupDataWriter::PayloadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    std::int64_t size = file.Size();
    Dword(CheckedLength(static_cast<size_t>(size)) ^ uSetupData::kLengthMask);
    deflate_.CopyFrom(file, 0);
}

void TSetupDataWriter::Raw(const std::string& bytes) { deflate_.WriteBuffer(bytes.data(), bytes.size()); }

void TSetupDataWriter::Finish() { deflate_.Finish(); }

void WriteSetupData(TSetupDataWriter& writer, const TSetupDescription& description)
{
    writer.TextBlock(description.Packages);
    writer.TextBlock(description.Spaces);
    writer.UserInterfaceBlock(description.UserInterface);

    std::vector<std::string> project = description.Project;
    bool counted = false;
    for (const std::string& line : project)
        counted = counted || SysUtils::SameText(line.substr(0, line.find('=')), "RunBeforeInstall");
    if (!counted) {
        int commands = 0;
        for (const TSetupRecord& record : description.BeforeInstall) {
            bool isFile = false;
            for (const std::string& line : record.Lines)
                isFile = isFile || SysUtils::SameText(line, "OBJECT_TYPE=FILE");
            commands += isFile ? 0 : 1;
        }
        project.push_back("RunBeforeInstall=" + std::to_string(commands));
    }
    writer.TextBlock(project);
    writer.TextBlock(description.Skipped);

    auto writeRecords = [&](const std::vector<TSetupRecord>& records) {
        for (const TSetupRecord& record : records) {
            writer.TextBlock(record.Lines);
            if (!record.HasPayload)
                continue;
            if (!record.PayloadFile.empty())
                writer.PayloadFromFile(record.PayloadFile);
            else
                writer.Payload(record.PayloadText);
        }
    };
    writeRecords(description.BeforeInstall);
    writeRecords(description.Objects);
    std::string end;
    for (size_t i = 0; i < description.End.size(); ++i)
        end += (i ? "\r\n" : "") + description.End[i];
    writer.TextBlock(end);
}
