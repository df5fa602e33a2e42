// CDocTemplate and CSingleDocTemplate: the classes of the document, frame and
// view of one kind of document; the single-document template keeps one
// document in one frame.
#pragma once

#include "CCmdTarget.h"

#include <memory>

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)

public:
    // Creates the document, and a frame with its view, visible or not; null
    // when one of them cannot be made.
    virtual CDocument* OpenDocumentFile(LPCSTR path, BOOL makeVisible = TRUE) = 0;

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;

protected:
    CDocTemplate(UINT resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                 const CRuntimeClass* viewClass);

    CDocument* CreateNewDocument();
    CFrameWnd* CreateNewFrame(CDocument* document);
};

class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)

public:
    CSingleDocTemplate(UINT resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                       const CRuntimeClass* viewClass);
    ~CSingleDocTemplate() override;

    CDocument* OpenDocumentFile(LPCSTR path, BOOL makeVisible = TRUE) override;
    CDocument* GetDocument() const { return m_pOnlyDoc.get(); }
    CFrameWnd* GetFrame() const { return m_pFrame; }

private:
    std::unique_ptr<CDocument> m_pOnlyDoc;
    CFrameWnd* m_pFrame = nullptr;  // deletes itself when its window goes
    HWND m_hFrame = nullptr;
};
