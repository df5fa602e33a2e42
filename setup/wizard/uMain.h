// TfmMain: the setup program's main form. It owns the install engine, the
// wizard's shared lists (macros, skip set, language table, settings) and the
// pictures, opens the setup data, chooses the first page for each kind of start,
// and on closing runs the after-install commands and decides about restarting.
// The form itself is only the full-screen background behind the pages.
#pragma once

#include "KvBackground.h"
#include "TForm.h"
#include "TStringList.h"
#include "TPicture.h"

#include <memory>
#include <string>

class TFont;
class TGlobal;
class TOstrelExecutor;
class TStream;
class TfmCommonDialog;

class TfmMain : public TForm {
public:
    CLASSLIB_CLASS_NAME(TfmMain)
    explicit TfmMain(TComponent* owner);
    ~TfmMain() override;

    // Form components.
    TKvBackground* Background = nullptr; // the whole client area
    TGlobal* Global = nullptr;
    TOstrelExecutor* OstrelExecutor = nullptr;

    // The start-up road: uninstall, start-up error, silent, first install, update
    // pack or previous installation. Ends with a page shown, a finish page shown
    // or the application terminated.
    void Start();
    void Button1Click(TObject* sender) { (void)sender; Start(); }
    // Opens the setup data ("l:" source or the program itself), waits for a "w:"
    // process, and runs a "silent" install.
    void OpenSetup();

    // ---- The user-interface block ----
    // Reads the settings, language table and pictures from position 0 and leaves
    // the stream at the first page record. Damage raises an Exception.
    void LoadUiStream(TStream& stream);
    // The language table's text for `key` expanded, or `defaultText` unchanged.
    std::string GetLanguageText(const std::string& key, const std::string& defaultText) const;
    // The engine's macros, then the wizard macros, then "#13#10" as line breaks.
    std::string ExpandText(const std::string& text) const;
    // Captions by class name and class.component keys; runs OnShow once.
    void TranslateForm(TCustomForm* form);
    // Hot tracking, frames and read-only colours from the styled flag; labels expanded.
    void StyleControls(TCustomForm* form);
    void SetFontName(const std::string& value);
    void SetFontSize(int value);
    void SetFontCharset(int value);
    const std::string& FontName() const { return fontName_; }
    int FontSize() const { return fontSize_; }
    int FontCharset() const { return fontCharset_; }

    TStringList& MacroList() { return macros_; }
    TStringList& SkipList() { return skip_; }
    TStringList& LanguageList() { return language_; }
    TPicture* LeftPicture() const { return leftPicture_.get(); }
    TPicture* TopPicture() const { return topPicture_.get(); }
    int ImageAlign() const { return imageAlign_; }
    const std::string& LogoString() const { return logoString_; }
    int OldInstallChoice() const { return oldInstall_; }
    void SetRestartNow(bool value) { restartNow_ = value; }
    // Gives `font` the wizard font (name only when the language table set one).
    void ApplyWizardFont(TFont& font) const;
    // The stream whose page records the pages read (the engine's user-interface
    // block, or the saved copy when uninstalling).
    TStream* UiStream() const { return uiStream_; }

    // ---- Pages ----
    // The page of the next record of `stream`, loaded, or nullptr when no record
    // is left or its DIALOGID names no page.
    TfmCommonDialog* CreateNextPage(TStream& stream);
    // The text of the next FINISH record; records passed over have their
    // attachments skipped. Empty when there is none.
    std::string FindFinishRecord(TStream& stream);
    void SetCurrentPage(TCustomForm* page) { currentPage_ = page; }
    // A finish page built on the spot (a record holding only ISLAST=TRUE) showing
    // an outcome: two texts and the Exit button.
    void ShowOutcomePage(const std::string& finishText, const std::string& infoText);
    // The texts of the finish page after a cancel or an error with `message`.
    void OutcomeTexts(bool cancelled, const std::string& message, std::string& finishText,
                      std::string& infoText) const;

    // Runs the engine's install. A failed or cancelled install (rolled back) is
    // remembered, so that closing runs none of its after-install commands; the
    // exception passes on.
    void Install();
    // A page that could not be made (a damaged record or picture) ends the wizard
    // on the error finish page, shown where `from` stands (or on its own when
    // there is no page yet). `from`'s next page becomes the error page.
    void ShowPageError(TfmCommonDialog* from, const std::string& message);

    // True when an option line (the lines from the second on) begins with "U:"
    // in any case: the relaunched uninstaller's start.
    static bool IsUninstallStart(const TStrings& lines);

    void OstrelExecutorVolumeFileNeeded(TObject* sender, int index, std::string& fileName);

    // The title of message boxes: product name and version.
    std::string Title() const;

private:
    void FormCreate();
    void FormClose(TObject* sender, TCloseAction& action);
    void FormActivate(TObject* sender);
    void StartUninstall();
    // The product name and version of the uninstall entry of `projectId`; false
    // when the entry does not open. The application title follows them.
    bool ReadUninstallEntry(const std::string& projectId, std::string& name, std::string& version);
    // The uninstaller's look and texts: the saved block when it reads, else the
    // built-in ones.
    void LoadSavedUi(const std::string& savedBlock);
    void StartInstall();
    void StartPreviousInstallation();
    // Shows the first page of the user-interface block; a setup without pages
    // installs at once, an error in a message box. True when a page is shown.
    bool ShowFirstPageOrInstall();
    void ShowFirstPage(TfmCommonDialog* page);
    // LoadUiStream's reading, with any C++ failure still as it was thrown.
    void ReadUiHead(TStream& stream);
    // The block's picture for `setting` into `picture`, when the setting names one.
    bool ReadPicture(TStream& stream, const std::string& setting, TPicture& picture);

    TStringList macros_;
    TStringList skip_;
    TStringList language_;
    TStringList settings_;
    std::unique_ptr<TPicture> leftPicture_;
    std::unique_ptr<TPicture> topPicture_;
    int imageAlign_ = 1;
    TCustomForm* currentPage_ = nullptr;
    bool styled_ = false;
    std::string fontName_;
    int fontSize_ = 9;
    int fontCharset_ = 134;
    // The form's own font, which the uninstaller falls back to.
    std::string defaultFontName_;
    int defaultFontSize_ = 9;
    int defaultFontCharset_ = 134;
    std::string logoString_ = "Ostrel Installer";
    int oldInstall_ = 0;
    bool restartNow_ = false;
    bool silentDone_ = false;
    bool installFailed_ = false; // an install raised and was rolled back
    bool closing_ = false;       // FormClose runs (its commands keep messages flowing)
    bool commandsRun_ = false;   // the after-install commands ran

    TStream* uiStream_ = nullptr;
    std::unique_ptr<TStream> savedUi_; // the uninstaller's copy of the block
};
