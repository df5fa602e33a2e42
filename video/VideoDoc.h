// CVideoDoc: the recorder's document; it holds nothing, the view does the work.
#pragma once

#include "CDocument.h"

class CVideoDoc : public CDocument {
    DECLARE_DYNCREATE(CVideoDoc)

public:
    CVideoDoc() = default;
};
