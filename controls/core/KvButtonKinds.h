// The standard kinds of bit buttons: for each its caption (from the library's
// string table), modal result, default and cancel roles, and glyph (from the
// library's bitmap resources, loaded once per kind and kept for the process).
#pragma once

#include "ControlTypes.h"

#include <string>

class TBitmap;

enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

namespace KvButtonKinds {

struct TKindInfo {
    int CaptionId;          // 0 for bkCustom
    TModalResult ModalResult;
    bool Default;
    bool Cancel;
    const char* GlyphName;  // nullptr for bkCustom
};

const TKindInfo& KindInfo(TBitBtnKind kind);
// The kind's caption; raises EResNotFound when the library's string table lacks it.
std::string KindCaption(TBitBtnKind kind);
// The kind's two-cell glyph, shared by every button of the kind (copy it, do not
// change it); nullptr for bkCustom. Raises EInvalidGraphic when the resource is missing.
TBitmap* KindGlyph(TBitBtnKind kind);

} // namespace KvButtonKinds
