// The page table: which page class a page record's DIALOGID makes (the
// attachments that follow each kind of record: uUiStream::AttachmentKeys).
#pragma once

#include <string>
#include <vector>

class TComponent;
class TfmCommonDialog;

namespace uOstrelConst {

// The page for `dialogId` (exact case) made with `owner` and created, or nullptr
// when the table has no such entry.
TfmCommonDialog* CreatePage(const std::string& dialogId, TComponent* owner);

} // namespace uOstrelConst
