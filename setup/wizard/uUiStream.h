// Reading the user-interface block: plain 32-bit lengths and the bytes they
// count, each length checked against what the stream still holds, so that a
// damaged block becomes a clear error instead of a huge allocation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TMemoryStream;
class TStream;
class TStrings;

namespace uUiStream {

// Bytes left between the position and the end.
std::int64_t Remaining(TStream& stream);
// A plain little-endian dword and that many bytes. Raises Exception naming
// `what` when the length or the bytes are not all there.
std::string ReadSized(TStream& stream, const std::string& what);
// The same into a memory stream (positioned at 0), with no copy between.
void ReadSizedInto(TStream& stream, const std::string& what, TMemoryStream& into);
// True while a page record can follow (more than a length's four bytes remain).
bool MoreRecords(TStream& stream);

// The record keys whose value announces an attachment (a picture, a text) after
// a page record of that DIALOGID, in the order the attachments follow it.
const std::vector<std::string>& AttachmentKeys(const std::string& dialogId);
// The bytes that follow a page record for `key` when the record gives the key a
// value; empty otherwise (nothing is read).
std::string ReadAttachment(TStream* stream, const TStrings& record, const std::string& key);

} // namespace uUiStream
