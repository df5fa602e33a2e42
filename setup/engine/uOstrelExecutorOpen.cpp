// The reading side of the install engine: opening the setup source, the leading
// blocks of the setup data and the object records that follow.
#include "uOstrelExecutor.h"

#include "Exception.h"
#include "SplitStream.h"
#include "SysUtils.h"
#include "TZlibStreams.h"
#include "uChangeNotices.h"
#include "uCommandAction.h"
#include "uFileActions.h"
#include "uInstallContext.h"
#include "uMacros.h"
#include "uSetupData.h"

namespace {

std::string StripTrailingBackslashes(std::string path)
{
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

[[noreturn]] void RaiseBadValue(const char* block, const std::string& key, const char* kind, const std::string& value)
{
    throw Exception("安装数据的" + std::string(block) + "中 " + key + " 不是有效的" + kind + "（'" + value + "'）");
}

bool StrictBool(const TStrings& lines, const char* block, const std::string& key)
{
    bool value = false;
    std::string text = lines.Values(key);
    if (!uSetupData::TryParseBool(text, value))
        RaiseBadValue(block, key, "布尔值", text);
    return value;
}

int StrictInt(const TStrings& lines, const char* block, const std::string& key)
{
    int value = 0;
    std::string text = lines.Values(key);
    if (!uSetupData::TryParseInt(text, value))
        RaiseBadValue(block, key, "整数", text);
    return value;
}

} // namespace

TOstrelExecutor::TOstrelExecutor(TComponent* owner) : TComponent(owner) {}

TOstrelExecutor::~TOstrelExecutor() { CloseSource(); }

void TOstrelExecutor::SetInstallPath(const std::string& path) { installPath_ = StripTrailingBackslashes(path); }

void TOstrelExecutor::OpenSource(const std::string& fileName, bool dataInProgram)
{
    CloseSource();
    std::unique_ptr<TSplitFileStream> container(new TSplitFileStream(fileName, fmOpenRead | fmShareDenyNone));
    container->SetOnPosition(TSplitFileStream::TPositionEvent(this, &TOstrelExecutor::ContainerMoved));
    container->Seek(container->DataStart(), soFromBeginning);
    container->SetOnVolumeNeeded(TSplitFileStream::TVolumeNeededEvent(this, &TOstrelExecutor::VolumeNeeded));
    dataInProgram_ = dataInProgram;
    OpenSetupData(std::move(container));
}

void TOstrelExecutor::OpenSetupData(std::unique_ptr<TStream> container)
{
    CloseSource();
    container_ = std::move(container);
    try {
        inflate_.reset(new TDecompressionStream(*container_));
        installPath_ = "<INSTALL>"; // left in the texts, expanded once the folder is chosen
        ReadLeadingBlocks();
        progressTotal_ = container_->Size();
    } catch (...) {
        CloseSource(); // nothing half-open stays behind
        RethrowAsException();
    }
}

void TOstrelExecutor::CloseSource()
{
    inflate_.reset();
    container_.reset();
}

void TOstrelExecutor::ReadLeadingBlocks()
{
    packages_.SetText(ReadTextBlock());
    spaces_.SetText(ReadTextBlock());
    uSetupData::ReadUserInterfaceBlock(*inflate_, userInterface_);
    ReadProjectBlock();
    ReadTextBlock(); // a block this engine passes over

    beforeInstall_.clear();
    for (int i = 0; i < project_.RunBeforeInstall; ++i) {
        TStringList command;
        command.SetText(ReadTextBlock());
        bool carriesProgram = StrictInt(command, "安装前命令", "EXECUTE_TYPE") == 1 &&
                              !StrictBool(command, "安装前命令", "URL");
        if (carriesProgram) {
            TStringList file;
            file.SetText(ReadTextBlock());
            RunBeforeInstall(command, &file);
        } else {
            RunBeforeInstall(command, nullptr);
        }
    }
}

void TOstrelExecutor::ReadProjectBlock()
{
    TStringList lines;
    lines.SetText(ReadTextBlock());
    const char* block = "项目信息";
    TProjectInfo project;
    project.ProjectId = lines.Values("PROJECT_ID");
    project.CompanyName = lines.Values("CompanyName");
    project.ProductName = lines.Values("ProductName");
    project.Version = lines.Values("Version");
    project.Publisher = lines.Values("Publisher");
    project.HelpLink = lines.Values("HelpLink");
    project.Contact = lines.Values("Contact");
    project.Support = lines.Values("Support");
    project.Readme = lines.Values("Readme");
    project.Update = lines.Values("Update");
    project.Comments = lines.Values("Comments");
    project.DisplayIcon = lines.Values("DisplayIcon");
    project.InstallPath = StripTrailingBackslashes(lines.Values("InstallPath"));
    project.RunBeforeInstall = StrictInt(lines, block, "RunBeforeInstall");
    if (project.RunBeforeInstall < 0)
        RaiseBadValue(block, "RunBeforeInstall", "命令数", lines.Values("RunBeforeInstall"));
    project.Uninstall = StrictBool(lines, block, "Uninstall");
    project.IsPatch = StrictBool(lines, block, "IsPatch");
    project_ = project;
}

void TOstrelExecutor::RunBeforeInstall(const TStrings& command, const TStrings* fileRecord)
{
    beforeInstall_.push_back({command.Text(), fileRecord ? fileRecord->Text() : std::string()});
    TInstallContext context = MakeInstallContext();
    // No folder is chosen yet: the program is told the project's initial one.
    context.InstallPath = project_.InstallPath;
    // The install log starts with the install; the program put down to run now
    // is no part of the product.
    TStringList notLogged;
    context.Log = &notLogged;
    if (fileRecord)
        uFileActions::InstallFile(*fileRecord, false, context); // reads the payload that follows
    uCommandAction::RunCommand(command, uCommandAction::TRunPhase::DuringInstall, context);
    restartNeeded_ = restartNeeded_ || context.RestartNeeded;
}

std::string TOstrelExecutor::ReadTextBlock()
{
    if (!inflate_)
        throw Exception("the setup data is not open");
    std::string text = ExpandMacros(uSetupData::ReadTextBlock(*inflate_));
    uSetupData::CheckLineCount(text);
    return text;
}

bool TOstrelExecutor::ReadRecord()
{
    std::string text = ReadTextBlock();
    if (uSetupData::IsEndMark(text)) {
        record_.Clear();
        return false;
    }
    record_.SetText(text);
    return true;
}

TStream* TOstrelExecutor::Source() const { return inflate_.get(); }

std::int64_t TOstrelExecutor::ContainerPosition() const { return container_ ? container_->Position() : 0; }

std::int64_t TOstrelExecutor::ContainerSize() const { return container_ ? container_->Size() : 0; }

std::string TOstrelExecutor::ExpandMacros(const std::string& text) const
{
    uMacros::TProductMacros product;
    product.InstallPath = installPath_;
    product.CompanyName = project_.CompanyName;
    product.ProductName = project_.ProductName;
    product.Version = project_.Version;
    product.OldVersion = oldVersion_;
    return uMacros::ExpandMacros(text, product);
}

void TOstrelExecutor::ContainerMoved(TObject*, std::int64_t position)
{
    if (OnProcess) {
        bool skip = false;
        OnProcess(this, nullptr, skip, position);
    }
}

void TOstrelExecutor::VolumeNeeded(TObject*, int index, std::string& fileName)
{
    if (OnVolumeFileNeeded)
        OnVolumeFileNeeded(this, index, fileName);
}
