// The small types of controls: styles and states, alignment, mouse buttons and
// shift states, and the event signatures.
#pragma once

#include "Closure.h"
#include "TSet.h"

#include <windows.h>

#include <string>

enum TControlStyleFlag {
    csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption,
    csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable,
    csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csParentBackground
};
using TControlStyle = TSet<TControlStyleFlag>;

enum TControlStateFlag { csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing,
                         csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking };
using TControlState = TSet<TControlStateFlag>;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrAll = mrNo + 1;

class TObject;
using TMouseEvent = TClosure<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = TClosure<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = TClosure<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = TClosure<void(TObject* sender, char& key)>;

// The shift state of a mouse message's key flags, or of the keyboard now.
TShiftState MouseShiftState(WPARAM keys);
TShiftState KeyboardShiftState();
// True when `key` is the accelerator ("&x") of the caption, ignoring case.
bool IsAccel(WORD key, const std::string& caption);
