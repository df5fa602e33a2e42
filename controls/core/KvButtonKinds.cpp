// The kind table of bit buttons and its cached resources.
#include "KvButtonKinds.h"

#include "Exception.h"
#include "KvCommonRes.h"
#include "TBitmap.h"

#include <memory>

namespace KvButtonKinds {
namespace {

const TKindInfo kKinds[] = {
    {0, mrNone, false, false, nullptr},
    {IDS_KVBUTTON_OK, mrOk, true, false, "KVCOMMON_OK"},
    {IDS_KVBUTTON_CANCEL, mrCancel, false, true, "KVCOMMON_CANCEL"},
    {IDS_KVBUTTON_HELP, mrNone, false, false, "KVCOMMON_HELP"},
    {IDS_KVBUTTON_YES, mrYes, true, false, "KVCOMMON_YES"},
    {IDS_KVBUTTON_NO, mrNo, false, true, "KVCOMMON_NO"},
    {IDS_KVBUTTON_CLOSE, mrNone, false, false, "KVCOMMON_CLOSE"},
    {IDS_KVBUTTON_ABORT, mrAbort, false, false, "KVCOMMON_ABORT"},
    {IDS_KVBUTTON_RETRY, mrRetry, false, false, "KVCOMMON_RETRY"},
    {IDS_KVBUTTON_IGNORE, mrIgnore, false, false, "KVCOMMON_IGNORE"},
    {IDS_KVBUTTON_ALL, mrAll, false, false, "KVCOMMON_ALL"},
};
constexpr int kKindCount = sizeof(kKinds) / sizeof(kKinds[0]);

// The module that carries the library's resources: the one this code lies in.
HINSTANCE ResourceModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ResourceModule), &module);
    return module;
}

} // namespace

const TKindInfo& KindInfo(TBitBtnKind kind)
{
    int index = static_cast<int>(kind);
    return kKinds[index >= 0 && index < kKindCount ? index : 0];
}

std::string KindCaption(TBitBtnKind kind)
{
    const TKindInfo& info = KindInfo(kind);
    if (info.CaptionId == 0)
        return std::string();
    char buffer[256] = {};
    int length = LoadStringA(ResourceModule(), static_cast<UINT>(info.CaptionId), buffer, sizeof(buffer));
    if (length <= 0)
        throw EResNotFound("Caption " + std::to_string(info.CaptionId) + " of a button kind is not in the resources");
    return std::string(buffer, static_cast<size_t>(length));
}

TBitmap* KindGlyph(TBitBtnKind kind)
{
    // Process-wide: one bitmap per kind, loaded when first asked for.
    static std::unique_ptr<TBitmap> glyphs[kKindCount];
    const TKindInfo& info = KindInfo(kind);
    if (info.GlyphName == nullptr)
        return nullptr;
    std::unique_ptr<TBitmap>& glyph = glyphs[static_cast<int>(kind)];
    if (glyph == nullptr) {
        auto loaded = std::make_unique<TBitmap>();
        loaded->LoadFromResourceName(ResourceModule(), info.GlyphName);
        glyph = std::move(loaded);
    }
    return glyph.get();
}

} // namespace KvButtonKinds
