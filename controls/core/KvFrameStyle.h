// KvFrameStyle: the two borders of the library's framed windows (edits, the
// check tree): the sunken 3-D edge, or a flat one-pixel frame.
#pragma once

#include "TWinControl.h"

namespace KvFrameStyle {

// The border in the parameters a window is made with.
void Apply(TCreateParams& params, bool flat);
// The border of a live window, which keeps its contents: its styles change and
// its frame is measured and drawn again. Nothing while it has no window.
void Update(TWinControl* control, bool flat);

} // namespace KvFrameStyle
