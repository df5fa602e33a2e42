// CCreateContext: what a frame needs to create its view: the view's class and
// the document it shows.
#pragma once

struct CRuntimeClass;
class CDocTemplate;
class CDocument;
class CView;

struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
};
