// The framework's window classes in one include, for the program's sources.
#pragma once

#include "AfxGeometry.h"
#include "AfxMessageBox.h"
#include "AfxRes.h"
#include "AfxState.h"
#include "CDialog.h"
#include "CDocument.h"
#include "CFormView.h"
#include "CFrameWnd.h"
#include "CSingleDocTemplate.h"
#include "CStatusBar.h"
#include "CString.h"
#include "CView.h"
#include "CWnd.h"
