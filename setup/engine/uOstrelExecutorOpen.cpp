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
#include "uLeadingBlocks.h"
#include "uMacros.h"
#include "uSetupData.h"

// The leading blocks come through the engine's own reading, with its macros.
class TOstrelExecutor::TLeadingBlockReader : public uLeadingBlocks::TBlockReader {
public:
    explicit TLeadingBlockReader(TOstrelExecutor& engine) : engine_(engine) {}
    TStream& Source() override { return *engine_.inflate_; }
    std::string ReadTextBlock() override { return engine_.ReadTextBlock(); }
    void RunBeforeInstall(const TStrings& command, const TStrings* fileRecord) override
    {
        engine_.RunBeforeInstall(command, fileRecord);
    }

private:
    TOstrelExecutor& engine_;
};

TOstrelExecutor::TOstrelExecutor(TComponent* owner) : TComponent(owner) {}

TOstrelExecutor::~TOstrelExecutor() { CloseSource(); }

void TOstrelExecutor::SetInstallPath(const std::string& path)
{
    installPath_ = uLeadingBlocks::WithoutTrailingBackslashes(path);
}

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
    progressStart_ = container_->Position();
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
    TLeadingBlockReader reader(*this);
    uLeadingBlocks::Read(reader, {packages_, spaces_, userInterface_, project_, beforeInstall_});
}

void TOstrelExecutor::RunBeforeInstall(const TStrings& command, const TStrings* fileRecord)
{
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
