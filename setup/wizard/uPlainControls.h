// Stand-ins for the page controls over the system's own window classes (static
// text, edits, list box and a plain panel). They carry the properties the pages
// set, so that each one is swapped for its control-library class by changing the
// type only.
#pragma once

#include "TCustomControl.h"
#include "TWinControl.h"

#include <cstdint>
#include <string>
#include <vector>

// Static text draws its background in the control's colour, which
// follows the parent's (a white banner, a grey page). Answers the reflected
// colour request; true when it was one.
bool PaintInOwnColor(TWinControl* control, TMessage& message);

// Static text (the wizard's labels).
class TPlainLabel : public TWinControl {
public:
    CLASSLIB_CLASS_NAME(TPlainLabel)
    explicit TPlainLabel(TComponent* owner);
    void Dispatch(TMessage& message) override;
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) { autoSize_ = value; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value) { wordWrap_ = value; }

protected:
    void CreateParams(TCreateParams& params) override;

private:
    bool autoSize_ = true;
    bool wordWrap_ = false;
};

// An edit; multi-line read-only ones show the readme and licence texts.
class TPlainEdit : public TWinControl {
public:
    CLASSLIB_CLASS_NAME(TPlainEdit)
    explicit TPlainEdit(TComponent* owner);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value) { multiLine_ = value; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    bool FrameVisible() const { return frameVisible_; }
    void SetFrameVisible(bool value) { frameVisible_ = value; }
    TColor ReadOnlyColor() const { return readOnlyColor_; }
    void SetReadOnlyColor(TColor value) { readOnlyColor_ = value; }

protected:
    void CreateParams(TCreateParams& params) override;

private:
    bool multiLine_ = false;
    bool readOnly_ = false;
    bool frameVisible_ = false;
    TColor readOnlyColor_ = clBtnFace;
};

// A list box with tab stops (the drive list) or check marks drawn as text.
class TPlainListBox : public TWinControl {
public:
    CLASSLIB_CLASS_NAME(TPlainListBox)
    explicit TPlainListBox(TComponent* owner);
    void SetItems(const std::vector<std::string>& items);
    const std::vector<std::string>& Items() const { return items_; }
    void SetTabStops(const std::vector<int>& stops) { tabStops_ = stops; }

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    void Fill();
    std::vector<std::string> items_;
    std::vector<int> tabStops_;
};

// A panel filled with its colour that holds other controls.
class TPlainPanel : public TCustomControl {
public:
    CLASSLIB_CLASS_NAME(TPlainPanel)
    explicit TPlainPanel(TComponent* owner);

protected:
    void Paint() override;
};
