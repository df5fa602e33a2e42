// Owned GDI objects (pens, brushes, fonts, bitmaps, regions), enhanced
// metafiles and image lists of the common controls, on the shared TOwned
// template. Like the system's own handles, they convert to the raw handle.
#pragma once

#include "OwnedHandles.h"

#include <windows.h>
#include <commctrl.h>

struct TGdiObjectTraits {
    static bool IsValid(HGDIOBJ object) { return object != nullptr; }
    static void Close(HGDIOBJ object) { DeleteObject(object); }
};
struct TEnhMetaFileTraits {
    static bool IsValid(HENHMETAFILE metafile) { return metafile != nullptr; }
    static void Close(HENHMETAFILE metafile) { DeleteEnhMetaFile(metafile); }
};
struct TImageListTraits {
    static bool IsValid(HIMAGELIST list) { return list != nullptr; }
    static void Close(HIMAGELIST list) { ImageList_Destroy(list); }
};

template <typename Handle, typename Traits = TGdiObjectTraits>
class TGdiObject : public TOwned<Handle, Traits> {
public:
    using TOwned<Handle, Traits>::TOwned;
    // Drawing calls take the handle as it stands, as with the system's own types.
    operator Handle() const { return this->Get(); }
};

using TOwnedPen = TGdiObject<HPEN>;
using TOwnedBrush = TGdiObject<HBRUSH>;
using TOwnedFont = TGdiObject<HFONT>;
using TOwnedBitmap = TGdiObject<HBITMAP>;
using TOwnedRegion = TGdiObject<HRGN>;
using TOwnedEnhMetaFile = TGdiObject<HENHMETAFILE, TEnhMetaFileTraits>;
using TOwnedImageList = TGdiObject<HIMAGELIST, TImageListTraits>;
