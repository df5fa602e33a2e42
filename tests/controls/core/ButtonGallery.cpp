// A form that shows every kind of button in each painting, to be looked at: the
// columns are classic, hot-track and themed; the rows are a plain, a default, a
// held-down, a coloured and a disabled push button, then each standard bit-button
// kind. "ButtonGallery --save file.bmp" writes a screenshot of the form and exits.
#include "KvBitBtn.h"
#include "KvThemeSrv.h"
#include "OwnedDC.h"
#include "TApplication.h"
#include "TBitmap.h"
#include "TForm.h"

#include <cstring>
#include <string>

namespace {

enum class TPainting { Classic, HotTrack, Themed };

const int kColumnWidth = 120;
const int kRowHeight = 29;

void Style(TKvButton* button, TPainting painting)
{
    button->SetThemeAware(painting == TPainting::Themed);
    button->SetHotTrack(painting == TPainting::HotTrack);
}

template <typename Button>
Button* Place(TForm* form, TPainting painting, int row, const std::string& caption)
{
    auto* button = new Button(form);
    button->SetBounds(10 + static_cast<int>(painting) * kColumnWidth, 10 + row * kRowHeight, 105, 25);
    Style(button, painting);
    if (!caption.empty())
        button->SetCaption(caption);
    button->SetParent(form);
    return button;
}

void AddColumn(TForm* form, TPainting painting)
{
    Place<TKvButton>(form, painting, 0, "Plain");
    Place<TKvButton>(form, painting, 1, "&Default")->SetDefault(true);
    auto* down = Place<TKvButton>(form, painting, 2, "Held down");
    down->SetGroupIndex(1 + static_cast<int>(painting));
    down->SetDown(true);
    Place<TKvButton>(form, painting, 3, "Coloured")->SetColor(RGB(150, 190, 230));
    Place<TKvButton>(form, painting, 4, "Disabled")->SetEnabled(false);
    const TBitBtnKind kinds[] = {TBitBtnKind::bkOK,    TBitBtnKind::bkCancel, TBitBtnKind::bkHelp,
                                 TBitBtnKind::bkYes,   TBitBtnKind::bkNo,     TBitBtnKind::bkClose,
                                 TBitBtnKind::bkAbort, TBitBtnKind::bkRetry,  TBitBtnKind::bkIgnore,
                                 TBitBtnKind::bkAll};
    int row = 5;
    for (TBitBtnKind kind : kinds) {
        auto* button = Place<TKvBitBtn>(form, painting, row++, "");
        button->SetKind(kind);
        button->SetDefault(false);
    }
    auto* disabled = Place<TKvBitBtn>(form, painting, row, "");
    disabled->SetKind(TBitBtnKind::bkOK);
    disabled->SetEnabled(false);
}

// The form as the screen shows it, children included.
void SaveScreenshot(TForm* form, const std::string& fileName)
{
    RECT client = form->ClientRect();
    POINT origin = form->ClientOrigin();
    TBitmap shot(client.right, client.bottom);
    BitBlt(shot.Canvas()->Handle(), 0, 0, client.right, client.bottom, TWindowDC(nullptr), origin.x, origin.y,
           SRCCOPY);
    shot.SaveToFile(fileName);
}

} // namespace

int main(int argc, char** argv)
{
    std::string saveTo;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--save") == 0)
            saveTo = argv[i + 1];

    // Wine reports an older common-controls library than it loads; the themed
    // column asks for the theme all the same.
    KvThemeSrv::SetCommonControlsVersionOverride(0x00060000);
    KvThemeSrv::SharedThemeServices()->RefreshThemeState();

    TForm* form = Application()->CreateForm<TForm>();
    form->SetCaption("Buttons: classic, hot-track, themed");
    form->SetBorderStyle(TFormBorderStyle::bsSingle);
    form->SetBounds(20, 20, 3 * kColumnWidth + 30, 16 * kRowHeight + 60);
    form->SetColor(RGB(236, 233, 216));
    for (TPainting painting : {TPainting::Classic, TPainting::HotTrack, TPainting::Themed})
        AddColumn(form, painting);

    if (saveTo.empty()) {
        Application()->Run();
        return 0;
    }
    form->Show();
    Application()->ProcessMessages();
    // Every button paints now, before the screen is read.
    form->Repaint();
    for (int i = 0; i < form->ControlCount(); ++i)
        if (auto* control = dynamic_cast<TWinControl*>(form->Controls(i)))
            control->Update();
    try {
        SaveScreenshot(form, saveTo);
    } catch (Exception& error) {
        Application()->ShowException(error);
        return 1;
    }
    return 0;
}
