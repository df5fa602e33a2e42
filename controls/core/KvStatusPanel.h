// TKvStatusPanel: one part of a status bar: its text, width and alignment.
// Changing any of them updates the bar that holds it.
#pragma once

#include "ControlTypes.h"
#include "TObject.h"

#include <string>

class TKvStatusBar;

class TKvStatusPanel : public TObject {
public:
    CLASSLIB_CLASS_NAME(TKvStatusPanel)
    explicit TKvStatusPanel(TKvStatusBar* bar) : bar_(bar) {}

    const std::string& Text() const { return text_; }
    void SetText(const std::string& value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

private:
    TKvStatusBar* bar_;
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = TAlignment::taLeftJustify;
};
