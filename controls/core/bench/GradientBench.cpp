// Times a 1920 x 1080 gradient fill in each direction against a plain solid fill
// of the same size, and prints the time per fill and the ratio.
#include "KvGrafx.h"
#include "TBitmap.h"

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
    return 0;
}
