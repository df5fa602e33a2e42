// CDocTemplate and CSingleDocTemplate: document, frame and view creation.
#include "CSingleDocTemplate.h"

#include "AfxState.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CView.h"
#include "CWinThread.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                           const CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(docClass), m_pFrameClass(frameClass), m_pViewClass(viewClass)
{
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CObject* object = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    auto* document = dynamic_cast<CDocument*>(object);
    if (!document) {
        delete object;
        return nullptr;
    }
    document->m_pDocTemplate = this;
    return document;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* document)
{
    CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    auto* frame = dynamic_cast<CFrameWnd*>(object);
    if (!frame) {
        delete object;
        return nullptr;
    }
    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = document;
    context.m_pNewDocTemplate = this;
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
        // A frame whose window was made and then failed has deleted itself.
        if (!frame->m_hWnd && !context.m_pLastView)
            delete frame;
        return nullptr;
    }
    if (context.m_pLastView)
        frame->SetActiveView(context.m_pLastView);
    return frame;
}

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, const CRuntimeClass* docClass,
                                       const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
    : CDocTemplate(resourceId, docClass, frameClass, viewClass)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    // The frame (and with it the view) goes before the document it shows.
    if (m_hFrame && CWnd::FromHandlePermanent(m_hFrame) == m_pFrame)
        ::DestroyWindow(m_hFrame);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR, BOOL makeVisible)
{
    if (m_pOnlyDoc)
        return m_pOnlyDoc->OnNewDocument() ? m_pOnlyDoc.get() : nullptr;
    std::unique_ptr<CDocument> document(CreateNewDocument());
    if (!document)
        return nullptr;
    CFrameWnd* frame = CreateNewFrame(document.get());
    if (!frame)
        return nullptr;
    if (!document->OnNewDocument()) {
        frame->DestroyWindow();
        return nullptr;
    }
    // The first frame of the application becomes its main window.
    AFX_MODULE_STATE* state = AfxGetModuleState();
    if (state->m_pCurrentWinApp && !state->m_pCurrentWinApp->m_pMainWnd)
        state->m_pCurrentWinApp->m_pMainWnd = frame;
    m_pFrame = frame;
    m_hFrame = frame->m_hWnd;
    m_pOnlyDoc = std::move(document);
    frame->InitialUpdateFrame(m_pOnlyDoc.get(), makeVisible);
    return m_pOnlyDoc.get();
}
