// TfmMain's user-interface side: reading the block's head, texts and their
// expansion, translating and styling page forms, the wizard font.
#include "uMain.h"
#include "uUiPicture.h"

#include "Colors.h"
#include "KvButton.h"
#include "KvButtonEdit.h"
#include "KvCheckTree.h"
#include "KvEdit.h"
#include "KvRichEdit.h"
#include "TActionList.h"
#include "TCustomAction.h"
#include "SysUtils.h"
#include "TApplication.h"
#include "uOstrelExecutor.h"
#include "KvComboBox.h"
#include "KvGroupBox.h"
#include "KvPageControl.h"
#include "KvRadChk.h"
#include "KvTabSheet.h"
#include "TStringList.h"
#include "uPlainControls.h"
#include "uSetupData.h"
#include "uUiStream.h"

namespace {

// A flag setting read strictly: absent or not a boolean ends the reading.
bool StrictBool(const TStrings& settings, const std::string& name)
{
    bool value = false;
    if (!uSetupData::TryParseBool(SysUtils::Trim(settings.Values(name)), value))
        throw Exception("The user-interface setting " + name + " is not a boolean: '" + settings.Values(name) + "'");
    return value;
}

int IntSetting(const TStrings& settings, const std::string& name, int fallback)
{
    std::string text = SysUtils::Trim(settings.Values(name));
    if (text.empty())
        return fallback;
    int value = 0;
    if (!SysUtils::TryStrToInt(text, value))
        throw Exception("The user-interface setting " + name + " is not a number: '" + text + "'");
    return value;
}

// ImageStyle: 0 centred, 1 stretched over the whole form, 2 tiled.
TKvImageStyle ImageStyleOf(int value)
{
    switch (value) {
    case 0: return TKvImageStyle::isCenter;
    case 1: return TKvImageStyle::isStretch;
    case 2: return TKvImageStyle::isTile;
    default:
        throw Exception("The user-interface setting ImageStyle is not 0, 1 or 2: '" + std::to_string(value) + "'");
    }
}

} // namespace

void TfmMain::LoadUiStream(TStream& stream)
{
    try {
        ReadUiHead(stream);
    } catch (...) {
        // A picture too large for the memory left ends on the error road like any damage.
        RethrowAsException();
    }
}

void TfmMain::ReadUiHead(TStream& stream)
{
    stream.SetPosition(0);
    settings_.SetText(uUiStream::ReadSized(stream, "the settings text"));

    std::string language = uUiStream::ReadSized(stream, "the language table");
    if (!language.empty()) {
        language_.SetText(language);
        SetFontName(GetLanguageText("[FontName]", "宋体"));
        SetFontCharset(SysUtils::StrToInt(GetLanguageText("[FontCharset]", "134")));
        SetFontSize(SysUtils::StrToInt(GetLanguageText("[FontSize]", "9")));
        OstrelExecutor->SetLanguage(&language_);
    }

    styled_ = StrictBool(settings_, "XpStyle");
    // The background only ever hides here: an uninstaller started hidden stays so.
    bool showBackground = StrictBool(settings_, "ShowBackGround");
    Application()->SetShowMainForm(Application()->ShowMainForm() && showBackground);
    Background->SetShowGradient(StrictBool(settings_, "ShowGradient"));
    Background->SetShowTexture(StrictBool(settings_, "ShowTexture"));
    Background->SetShowImage(StrictBool(settings_, "ShowImage"));
    TColor startColor = StringToColor(SysUtils::Trim(settings_.Values("StartColor")));
    Background->SetStartColor(startColor);
    Background->SetEndColor(StringToColor(SysUtils::Trim(settings_.Values("EndColor"))));
    // Without the gradient the background shows the start colour alone.
    Background->SetColor(startColor);
    logoString_ = SysUtils::Trim(settings_.Values("LOGO_STRING"));
    if (logoString_.empty())
        logoString_ = "Ostrel Installer";
    oldInstall_ = IntSetting(settings_, "OldInstall", 0);
    if (Background->ShowImage())
        Background->SetImageStyle(ImageStyleOf(IntSetting(settings_, "ImageStyle", 0)));

    ReadPicture(stream, "Texture", *Background->Texture());
    ReadPicture(stream, "Image", *Background->Image());
    auto left = std::make_unique<TPicture>();
    if (ReadPicture(stream, "LeftImage", *left))
        leftPicture_ = std::move(left);
    auto top = std::make_unique<TPicture>();
    if (ReadPicture(stream, "TopImage", *top)) {
        topPicture_ = std::move(top);
        imageAlign_ = IntSetting(settings_, "ImageAlign", 1);
    }

    std::string check = SysUtils::Trim(settings_.Values("CHECK_UPDATE_VERSION"));
    macros_.SetValues("CHECK_UPDATE_VERSION", check.empty() ? "True" : check);
}

bool TfmMain::ReadPicture(TStream& stream, const std::string& setting, TPicture& picture)
{
    std::string file = SysUtils::Trim(settings_.Values(setting));
    if (file.empty())
        return false;
    uUiPicture::ReadPicture(stream, file, "the picture " + setting, picture,
                            GetLanguageText("NotSupportedImageFormat", "不支持的图像格式"));
    return true;
}

std::string TfmMain::GetLanguageText(const std::string& key, const std::string& defaultText) const
{
    int index = language_.IndexOfName(key);
    if (index < 0)
        return defaultText;
    return ExpandText(language_.ValueFromIndex(index));
}

std::string TfmMain::ExpandText(const std::string& text) const
{
    std::string result = OstrelExecutor->ExpandMacros(text);
    for (int i = 0; i < macros_.Count(); ++i) {
        std::string value = SysUtils::StringReplace(macros_.ValueFromIndex(i), "<NULL>", "");
        result = SysUtils::StringReplace(result, "<" + macros_.Names(i) + ">", value);
    }
    return SysUtils::StringReplace(result, "#13#10", "\r\n");
}

void TfmMain::TranslateForm(TCustomForm* form)
{
    std::string className = form->ClassName();
    form->SetCaption(GetLanguageText(className, form->Caption()));
    if (form->OnShow)
        form->OnShow(form);
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* component = form->Components(i);
        if (auto* list = dynamic_cast<TActionList*>(component)) {
            for (int k = 0; k < list->ActionCount(); ++k) {
                TCustomAction* action = list->Actions(k);
                action->SetCaption(GetLanguageText(className + "." + action->Name(), action->Caption()));
            }
            continue;
        }
        if (auto* pages = dynamic_cast<TKvPageControl*>(component)) {
            for (int k = 0; k < pages->PageCount(); ++k) {
                TKvTabSheet* page = pages->Pages(k);
                page->SetCaption(GetLanguageText(className + "." + page->Name(), page->Caption()));
            }
            continue;
        }
        if (auto* combo = dynamic_cast<TKvComboBox*>(component)) {
            // The items, one text with "#13#10" between them, and back (a translated
            // text arrives with its "#13#10" already turned into line breaks).
            std::string items;
            for (int k = 0; k < combo->Items()->Count(); ++k)
                items += (k ? "#13#10" : "") + (*combo->Items())[k];
            TStringList lines;
            lines.SetText(SysUtils::StringReplace(GetLanguageText(className + "." + component->Name(), items), "#13#10",
                                                  "\r\n"));
            combo->SetItems(&lines);
            continue;
        }
        auto* control = dynamic_cast<TControl*>(component);
        bool captioned = dynamic_cast<TPlainLabel*>(component) || dynamic_cast<TKvCustomGlyphButton*>(component) ||
                         dynamic_cast<TKvGroupBox*>(component) || dynamic_cast<TKvButton*>(component);
        if (control != nullptr && captioned)
            control->SetCaption(GetLanguageText(className + "." + component->Name(), control->Caption()));
    }
}

void TfmMain::StyleControls(TCustomForm* form)
{
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* component = form->Components(i);
        if (auto* label = dynamic_cast<TPlainLabel*>(component)) {
            label->SetCaption(ExpandText(label->Caption()));
        } else if (auto* button = dynamic_cast<TKvButton*>(component)) {
            button->SetHotTrack(styled_);
            if (button->HotTrack()) {
                button->SetColor(0xF0F4F4);
                button->SetHighlightColor(0xF48D6A);
                button->SetHotTrackColor(0x3CC7FF);
            }
        } else if (dynamic_cast<TKvRichEdit*>(component) != nullptr || dynamic_cast<TKvEdit*>(component) != nullptr) {
            auto* edit = static_cast<TKvCustomEdit*>(component);
            edit->SetFrameVisible(styled_);
            edit->SetReadOnlyColor(clBtnFace);
        } else if (auto* check = dynamic_cast<TKvCustomGlyphButton*>(component)) {
            check->SetHotTrack(styled_);
        } else if (auto* tree = dynamic_cast<TKvCheckTree*>(component)) {
            tree->SetFrameVisible(styled_);
        } else if (auto* buttonEdit = dynamic_cast<TKvButtonEdit*>(component)) {
            buttonEdit->SetFrameVisible(styled_);
            buttonEdit->SetHideButtonsOnReadOnly(false);
            buttonEdit->SetReadOnlyColor(clBtnFace);
        }
    }
}

void TfmMain::SetFontName(const std::string& value)
{
    fontName_ = value;
    Font()->SetName(value);
}

void TfmMain::SetFontSize(int value)
{
    fontSize_ = value;
    Font()->SetSize(value);
}

void TfmMain::SetFontCharset(int value)
{
    fontCharset_ = value;
    Font()->SetCharset(static_cast<BYTE>(value));
}
