// Stand-ins for the page controls over the system's own window classes (static
// text and a list box). They carry the properties the pages set, so that each one
// is swapped for its control-library class by changing the type only.
#pragma once

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
