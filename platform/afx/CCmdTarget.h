// CCmdTarget: an object with a message map that commands can be routed to.
#pragma once

#include "CObject.h"
#include "MessageMap.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)

public:
    // Runs the handler of command `id` with notification `code` from this
    // class's map or a base's; FALSE when none handles it.
    virtual BOOL OnCmdMsg(UINT id, int code);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first entry for `message` (and, for WM_COMMAND, `code` and `id`) in
    // the map chain of this object.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT code, UINT id) const;
};
