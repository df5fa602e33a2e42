// The page table: which page class a page record's DIALOGID makes, and which
// attachments (pictures, texts) follow a record of each kind.
#pragma once

#include <string>
#include <vector>

class TComponent;
class TfmCommonDialog;

namespace uOstrelConst {

// The page for `dialogId` (exact case) made with `owner` and created, or nullptr
// when the table has no such entry.
TfmCommonDialog* CreatePage(const std::string& dialogId, TComponent* owner);
// The record keys whose value announces an attachment, in the order the
// attachments follow the record.
const std::vector<std::string>& AttachmentKeys(const std::string& dialogId);

} // namespace uOstrelConst
