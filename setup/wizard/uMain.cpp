// TfmMain's roads: start-up for each kind of start, opening the setup data, the
// missing-volume question, and closing with the after-install commands and the
// restart.
#include "uMain.h"

#include "ECancelInstall.h"
#include "ScopeExit.h"
#include "SysUtils.h"
#include "TApplication.h"
#include "TFileStream.h"
#include "TRegistry.h"
#include "uCommonDialog.h"
#include "uFindOld.h"
#include "uFinish.h"
#include "uGlobal.h"
#include "uInstallProcess.h"
#include "uInstallThread.h"
#include "uNextVolume.h"
#include "uOstrelConst.h"
#include "uOstrelExecutor.h"
#include "uInstallLog.h"
#include "uReadyToUninstall.h"
#include "uReboot.h"
#include "uSetupData.h"
#include "uUiStream.h"
#include "uUninstaller.h"
#include "uProcessWait.h"
#include "TFont.h"
#include "TMemoryStream.h"

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

} // namespace

TfmMain::TfmMain(TComponent* owner) : TForm(owner)
{
    SetName("fmMain");
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetBounds(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    Background = new TKvBackground(this);
    Background->SetName("Background");
    Background->SetParent(this);
    Background->SetAlign(TAlign::alClient);
    Global = new TGlobal(this);
    Global->SetName("Global");
    OstrelExecutor = new TOstrelExecutor(this);
    OstrelExecutor->SetName("OstrelExecutor");
    OstrelExecutor->OnVolumeFileNeeded =
        TOstrelExecutor::TVolumeFileNeededEvent(this, &TfmMain::OstrelExecutorVolumeFileNeeded);
    OnClose = TCloseEvent(this, &TfmMain::FormClose);
    OnActivate = TNotifyEvent(this, &TfmMain::FormActivate);
    fontName_ = defaultFontName_ = Font()->Name();
    fontSize_ = defaultFontSize_ = Font()->Size();
    fontCharset_ = defaultFontCharset_ = Font()->Charset();
    FormCreate();
}

TfmMain::~TfmMain() = default;

void TfmMain::FormCreate() { restartNow_ = false; }

std::string TfmMain::Title() const { return Application()->Title(); }

bool TfmMain::IsUninstallStart(const TStrings& lines)
{
    for (int i = 1; i < lines.Count(); ++i)
        if (SysUtils::SameText(lines[i].substr(0, 2), "U:"))
            return true;
    return false;
}

void TfmMain::Start()
{
    language_.Clear();
    leftPicture_.reset();
    topPicture_.reset();
    currentPage_ = nullptr;
    macros_.Clear();
    skip_.Clear();

    // Only an option that begins with "U:" means uninstall: a source on drive U:
    // ("/l:u:\setup.dat") is an install.
    if (IsUninstallStart(Global->CommandLines())) {
        try {
            StartUninstall();
        } catch (const Exception& error) {
            // No product to remove (no identifier at the program's end, no log):
            // the user is told, and the uninstaller ends.
            Application()->MessageBox(error.Message(), Title(), MB_ICONERROR);
            Application()->Terminate();
        }
        return;
    }
    try {
        OpenSetup();
    } catch (const EAbort&) {
        return; // the user was told already and the program ends
    } catch (const ECancelInstall&) {
        std::string finish, info;
        OutcomeTexts(true, std::string(), finish, info);
        ShowOutcomePage(finish, info);
        return;
    } catch (const Exception& error) {
        std::string finish, info;
        OutcomeTexts(false, error.Message(), finish, info);
        ShowOutcomePage(finish, info);
        return;
    }
    if (silentDone_)
        return;
    try {
        if (OstrelExecutor->IsFirstInstall())
            StartInstall();
        else
            StartPreviousInstallation();
    } catch (const Exception& error) {
        // A first page that cannot be made (a damaged record or picture) ends here.
        ShowPageError(nullptr, error.Message());
    }
}

bool TfmMain::ReadUninstallEntry(const std::string& projectId, std::string& name, std::string& version)
{
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKeyReadOnly(kUninstallKey + projectId))
        return false;
    name = registry.ReadString("DisplayName");
    version = registry.ReadString("DisplayVersion");
    registry.CloseKey();
    OstrelExecutor->SetProductName(name);
    Application()->SetTitle(name + " " + version);
    return true;
}

void TfmMain::StartUninstall()
{
    std::string id = uUninstaller::ReadProductId();
    OstrelExecutor->SetProjectId(id);
    std::string name, version;
    bool entry = ReadUninstallEntry(id, name, version);
    if (entry)
        OstrelExecutor->SetVersion(version.empty() ? " " : version);
    else
        Application()->SetTitle(id); // the one name of the product left
    std::string logPath;
    if (!entry || !uInstallLog::FindInstallLogPath(id, logPath) || !SysUtils::FileExists(logPath))
        throw Exception(GetLanguageText("InstallLogMissing", "没有找到安装记录，无法卸载"));
    LoadSavedUi(logPath + ".Dat");
    auto* page = CreatePage<TfmReadyToUninstall>(this);
    page->LoadPage(nullptr, nullptr);
    page->Show();
}

void TfmMain::LoadSavedUi(const std::string& savedBlock)
{
    if (!SysUtils::FileExists(savedBlock))
        return;
    try {
        auto stream = std::make_unique<TMemoryStream>();
        TFileStream file(savedBlock, fmOpenRead | fmShareExclusive);
        stream->CopyFrom(file, 0);
        LoadUiStream(*stream);
        savedUi_ = std::move(stream);
        uiStream_ = savedUi_.get();
    } catch (const Exception&) {
        // A block the wizard cannot read must not keep the product on the
        // machine: the uninstaller goes on with its built-in look and texts.
        language_.Clear();
        OstrelExecutor->SetLanguage(nullptr);
        leftPicture_.reset();
        topPicture_.reset();
        imageAlign_ = 1;
        styled_ = false;
        logoString_ = "Ostrel Installer";
        SetFontName(defaultFontName_);
        SetFontSize(defaultFontSize_);
        SetFontCharset(defaultFontCharset_);
        savedUi_.reset();
        uiStream_ = nullptr;
    }
}

void TfmMain::OpenSetup()
{
    silentDone_ = false;
    bool sourceGiven = false;
    const TStringList& lines = Global->CommandLines();
    auto afterOpening = [&] {
        macros_.SetValues("PRODUCT_NAME", OstrelExecutor->Project().ProductName);
        macros_.SetValues("VERSION", OstrelExecutor->Project().Version.empty() ? "<NULL>" : OstrelExecutor->Project().Version);
        Application()->SetTitle(OstrelExecutor->Project().ProductName + " " + OstrelExecutor->Project().Version);
    };
    try {
        for (int i = 1; i < lines.Count(); ++i) {
            std::string line = lines[i];
            std::string head = line.substr(0, 2);
            if (SysUtils::SameText(head, "l:")) {
                OstrelExecutor->OpenSource(line.substr(2), false);
                sourceGiven = true;
            } else if (SysUtils::SameText(head, "w:")) {
                if (!uProcessWait::WaitForProcessEnd(uProcessWait::ProcessIdOf(line), 10000)) {
                    Application()->MessageBox(GetLanguageText("WaitTimeout", "等待超时"), Title(), MB_ICONERROR);
                    Application()->SetShowMainForm(false);
                    Application()->Terminate();
                    throw EAbort(std::string());
                }
            }
        }
        if (!sourceGiven)
            OstrelExecutor->OpenSource(uUninstaller::RunningProgramPath(), true);
    } catch (...) {
        afterOpening();
        throw;
    }
    afterOpening();
    // The project's folder is where the install goes unless the user picks another.
    OstrelExecutor->SetInstallPath(OstrelExecutor->ExpandMacros(OstrelExecutor->Project().InstallPath));
    if (lines.IndexOf("silent") >= 0) {
        Application()->SetShowMainForm(false);
        OstrelExecutor->SetQuiet(true);
        // An update pack needs the installation it updates: without one it
        // installs nothing.
        if (OstrelExecutor->IsFirstInstall() && !OstrelExecutor->Project().IsPatch)
            Install();
        skip_.Add("-2");
        Close();
        silentDone_ = true;
        return;
    }
    LoadUiStream(OstrelExecutor->UserInterface());
    uiStream_ = &OstrelExecutor->UserInterface();
}

void TfmMain::StartInstall()
{
    if (OstrelExecutor->Project().IsPatch) {
        ShowOutcomePage(GetLanguageText("InstallationNotFound", ExpandText("没有找到 <PRODUCT_NAME> 不能安装升级包")),
                        GetLanguageText("ClickExit", "现在您可以点击“退出”按钮退出安装程序"));
        return;
    }
    if (ShowFirstPageOrInstall())
        return;
    Application()->SetShowMainForm(false);
    Application()->Terminate();
}

bool TfmMain::ShowFirstPageOrInstall()
{
    TfmCommonDialog* page = CreateNextPage(*uiStream_);
    if (page != nullptr) {
        ShowFirstPage(page);
        return true;
    }
    try {
        Install();
    } catch (const Exception& error) {
        Application()->MessageBox(error.Message(), Title(), MB_ICONERROR);
    }
    return false;
}

void TfmMain::StartPreviousInstallation()
{
    std::string name, version;
    if (ReadUninstallEntry(OstrelExecutor->Project().ProjectId, name, version) && !version.empty()) {
        OstrelExecutor->SetOldVersion(version);
        macros_.SetValues("OLD_VERSION", version);
    }
    if (!OstrelExecutor->Project().IsPatch) {
        auto* page = CreatePage<TfmFindOld>(this);
        page->LoadPage(uiStream_, &macros_);
        page->Show();
        return;
    }
    bool check = false;
    uSetupData::TryParseBool(macros_.Values("CHECK_UPDATE_VERSION"), check);
    if (check && macros_.Values("OLD_VERSION") >= OstrelExecutor->Project().Version) {
        ShowOutcomePage(GetLanguageText("OldUpdatePack", ExpandText("升级包的版本不是新的版本")),
                        GetLanguageText("ClickExit", "现在您可以点击“退出”按钮退出安装程序"));
        return;
    }
    OstrelExecutor->SetInstallPath(OstrelExecutor->OldInstallPath());
    if (ShowFirstPageOrInstall())
        return;
    skip_.Add("-2");
    Close();
}

void TfmMain::ShowFirstPage(TfmCommonDialog* page)
{
    page->Show();
    // The install of a first install page runs once the message loop runs.
    if (auto* install = dynamic_cast<TfmInstallProcess*>(page)) {
        auto* thread = new TInstallThread();
        thread->SetFreeOnTerminate(true);
        thread->SetPage(install);
        thread->Resume();
    }
}

void TfmMain::OutcomeTexts(bool cancelled, const std::string& message, std::string& finishText,
                           std::string& infoText) const
{
    if (cancelled) {
        finishText = GetLanguageText("InstallCanceled", "安装已经被用户取消");
        infoText = GetLanguageText("ClickExit", "现在您可以点击“退出”按钮退出安装程序");
        // A cancel carries no message: what the rollback could not undo is told here.
        if (OstrelExecutor != nullptr && !OstrelExecutor->RollbackReport().empty())
            infoText += "\r\n" + OstrelExecutor->RollbackReport();
    } else {
        finishText = GetLanguageText("TerminatedByError", "安装由于错误被迫取消");
        infoText = GetLanguageText("ErrorInfo", "错误信息:") + "\r\n" + message;
    }
}

void TfmMain::ShowOutcomePage(const std::string& finishText, const std::string& infoText)
{
    TfmFinish::CreateOutcome(this, finishText, infoText)->Show();
}

TfmCommonDialog* TfmMain::CreateNextPage(TStream& stream)
{
    if (!uUiStream::MoreRecords(stream))
        return nullptr;
    TStringList record;
    record.SetText(uUiStream::ReadSized(stream, "a page record"));
    TfmCommonDialog* page = uOstrelConst::CreatePage(record.Values("DIALOGID"), this);
    if (page != nullptr)
        page->LoadPage(&stream, &record);
    return page;
}

std::string TfmMain::FindFinishRecord(TStream& stream)
{
    while (uUiStream::MoreRecords(stream)) {
        std::string text = uUiStream::ReadSized(stream, "a page record");
        TStringList record;
        record.SetText(text);
        std::string id = record.Values("DIALOGID");
        if (id == "FINISH")
            return text;
        for (const std::string& key : uUiStream::AttachmentKeys(id))
            uUiStream::ReadAttachment(&stream, record, key);
    }
    return std::string();
}

void TfmMain::OstrelExecutorVolumeFileNeeded(TObject*, int index, std::string& fileName)
{
    std::unique_ptr<TfmNextVolume> page(new TfmNextVolume(this));
    page->FormCreate();
    page->SetVolume(index + 1, fileName);
    if (page->ShowModal() != mrOk)
        throw Exception(GetLanguageText("InstallCanceled", "安装被用户取消"));
    fileName = page->FileName();
}

void TfmMain::Install()
{
    try {
        OstrelExecutor->Install();
    } catch (...) {
        installFailed_ = true;
        throw;
    }
}

void TfmMain::ShowPageError(TfmCommonDialog* from, const std::string& message)
{
    std::string finish, info;
    OutcomeTexts(false, message, finish, info);
    TfmFinish* page = TfmFinish::CreateOutcome(this, finish, info);
    if (from == nullptr) {
        page->Show();
        return;
    }
    page->SetPriorPage(from);
    from->SetNextPage(page);
    from->ShowNextPage();
}

void TfmMain::FormClose(TObject*, TCloseAction& action)
{
    // The after-install commands keep messages flowing: a second close while
    // they run must not start them, or the restart decision, again.
    if (closing_) {
        action = TCloseAction::caNone;
        return;
    }
    closing_ = true;
    TScopeExit closed([this] { closing_ = false; });
    // After a failed or cancelled install nothing was installed that a command
    // could follow up; after a success the commands run once.
    if (OstrelExecutor != nullptr && !installFailed_ && !commandsRun_) {
        commandsRun_ = true;
        OstrelExecutor->RunAfterInstallCommands(skip_);
    }
    // Only a restart the engine needs is done or asked about.
    bool restartNeeded = OstrelExecutor != nullptr && OstrelExecutor->RestartNeeded();
    if (restartNeeded && skip_.IndexOf("-2") < 0) {
        if (restartNow_)
            uReboot::RebootWindows();
        else if (Application()->MessageBox(GetLanguageText("RestartQuestion", "需要重新启动才能完成安装，是否立即重启？"),
                                           Title(), MB_YESNO | MB_ICONQUESTION) == IDYES)
            uReboot::RebootWindows();
    }
}

void TfmMain::ApplyWizardFont(TFont& font) const
{
    if (!fontName_.empty())
        font.SetName(fontName_);
    font.SetCharset(static_cast<BYTE>(fontCharset_));
    font.SetSize(fontSize_);
}

void TfmMain::FormActivate(TObject*)
{
    if (currentPage_ != nullptr && currentPage_->Visible() && currentPage_->HandleAllocated()) {
        currentPage_->BringToFront();
        SetForegroundWindow(currentPage_->Handle());
    }
}
