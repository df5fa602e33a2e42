// TOwnedMetaFile: a Windows-format (not enhanced) metafile, deleted with
// DeleteMetaFile when it goes; on the shared TOwned template, and like the GDI
// owners it converts to the raw handle.
#pragma once

#include "OwnedGdi.h"

struct TMetaFileTraits {
    static bool IsValid(HMETAFILE metafile) { return metafile != nullptr; }
    static void Close(HMETAFILE metafile) { DeleteMetaFile(metafile); }
};

using TOwnedMetaFile = TGdiObject<HMETAFILE, TMetaFileTraits>;
