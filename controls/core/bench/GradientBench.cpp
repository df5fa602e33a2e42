// Times a 1920 x 1080 gradient fill in each direction against a plain solid fill
// of the same size, and prints the time per fill and the ratio; then the repaint
// of a full-screen background whose layers are painted already (what a page
// moved over the installer's main form costs).
#include "KvBackground.h"
#include "KvGrafx.h"
#include "TApplication.h"
#include "TBitmap.h"
#include "TForm.h"

#include <windows.h>

#include <cstdio>

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds per call of `fill`, over enough calls to take about half a second.
template <typename Fill>
double TimePerFill(Fill fill)
{
    fill(); // warm up
    int calls = 0;
    double start = Now(), elapsed = 0;
    do {
        fill();
        ++calls;
        elapsed = Now() - start;
    } while (elapsed < 0.5 && calls < 2000);
    return elapsed * 1000.0 / calls;
}

} // namespace

int main()
{
    const int width = 1920, height = 1080;
    TBitmap target(width, height);
    TCanvas* canvas = target.Canvas();
    RECT rect = {0, 0, width, height};

    double solid = TimePerFill([&] {
        canvas->Brush()->SetColor(canvas->Brush()->Color() == clWhite ? clBlack : clWhite);
        canvas->FillRect(rect);
    });
    std::printf("gradient fill %d x %d, smoothness 1\n", width, height);
    std::printf("%-28s %10.3f ms\n", "solid FillRect", solid);

    const char* names[] = {"0 diagonal", "1 diagonal mirrored", "2 vertical", "3 vertical to centre",
                           "4 rectangular, side inset", "5 horizontal", "6 horizontal to centre",
                           "7 rectangular, top inset", "8 rectangular", "9 rectangular, both insets"};
    for (int direction = 0; direction < 10; ++direction) {
        double time = TimePerFill([&] {
            KvGrafx::GradientFillRect(canvas, rect, static_cast<KvGrafx::TGradientDirection>(direction), 0xA05020,
                                      0x20C0FF, 1);
        });
        std::printf("%-28s %10.3f ms  %8.1f x solid\n", names[direction], time, time / solid);
    }

    // The background on a borderless form over the whole screen, its layers
    // painted once; each repaint then only copies them.
    TForm form(nullptr);
    form.SetBorderStyle(TFormBorderStyle::bsNone);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    form.SetBounds(0, 0, screenWidth, screenHeight);
    auto* background = new TKvBackground(&form);
    background->SetAlign(TAlign::alClient);
    background->SetStartColor(0xA05020);
    background->SetEndColor(0x20C0FF);
    background->SetParent(&form);
    form.Show();
    Application()->ProcessMessages();
    HWND window = background->Handle();
    double repaint = TimePerFill([&] {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        GdiFlush();
    });
    char name[64];
    std::snprintf(name, sizeof name, "background repaint %dx%d", screenWidth, screenHeight);
    std::printf("%-28s %10.3f ms  (goal: under 2 ms, already rendered)\n", name, repaint);
    return 0;
}
