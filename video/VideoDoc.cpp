// The recorder's empty document.
#include "VideoDoc.h"

IMPLEMENT_DYNCREATE(CVideoDoc, CDocument)
