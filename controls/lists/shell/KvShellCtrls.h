// KvShellCtrls: the shell controls in one include: the item data and folder
// locators, the shell tree, its change thread and its drag-and-drop objects.
#pragma once

#include "KvChangeHandlerThread.h"
#include "KvShellDragDrop.h"
#include "KvShellLocator.h"
#include "KvShellTree.h"
#include "KvShellTreeData.h"
