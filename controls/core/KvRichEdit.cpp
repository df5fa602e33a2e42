// Rich edits. The system's rich edit library stays loaded for the life of the
// process once the first rich edit is made, as its window class needs it.
#include "KvRichEdit.h"

#include "Exception.h"
#include "TFileStream.h"
#include "TStream.h"

#include <richedit.h>

#include <algorithm>

namespace {

void LoadRichEditLibrary()
{
    static HMODULE library = LoadLibraryA("riched20.dll");
    if (library == nullptr)
        throw EOSError("The rich edit library riched20.dll cannot be loaded");
}

// Hands the stream's bytes to the control as it asks for them.
DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* read)
{
    auto* stream = reinterpret_cast<TStream*>(cookie);
    try {
        *read = stream->Read(buffer, count);
        return 0;
    } catch (...) {
        *read = 0;
        return 1; // a failed read ends the transfer
    }
}

} // namespace

TKvRichEdit::TKvRichEdit(TComponent* owner) : TKvCustomEdit(owner)
{
    LoadRichEditLibrary();
    SetBounds(0, 0, 185, 89);
}

void TKvRichEdit::CreateParams(TCreateParams& params)
{
    TKvCustomEdit::CreateParams(params);
    CreateSubClass(params, RICHEDIT_CLASSA);
    // Lines wrap at the edge instead of scrolling sideways.
    params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | ES_SAVESEL;
}

void TKvRichEdit::BackgroundChanged()
{
    // The rich edit paints its own background instead of asking its parent.
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(BackgroundColor())));
    TKvCustomEdit::BackgroundChanged();
}

std::string TKvRichEdit::GetText() const
{
    if (!HandleAllocated())
        return TKvCustomEdit::GetText();
    // The window's text length counts characters, not the bytes of double-byte
    // text, so the length in bytes is asked for explicitly.
    HWND window = const_cast<TKvRichEdit*>(this)->Handle();
    GETTEXTLENGTHEX length = {GTL_NUMBYTES | GTL_PRECISE | GTL_USECRLF, CP_ACP};
    LRESULT bytes = SendMessageA(window, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    if (bytes <= 0)
        return std::string();
    std::string text(static_cast<size_t>(bytes) + 1, '\0');
    GETTEXTEX request = {static_cast<DWORD>(text.size()), GT_USECRLF, CP_ACP, nullptr, nullptr};
    LRESULT copied = SendMessageA(window, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                  reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(std::max<LRESULT>(0, std::min<LRESULT>(copied, bytes))));
    return text;
}

void TKvRichEdit::LoadFromStream(TStream& stream)
{
    EDITSTREAM transfer = {};
    transfer.dwCookie = reinterpret_cast<DWORD_PTR>(&stream);
    transfer.pfnCallback = &ReadStream;
    SendMessageA(Handle(), EM_STREAMIN, plainText_ ? SF_TEXT : SF_RTF, reinterpret_cast<LPARAM>(&transfer));
    if (transfer.dwError != 0)
        throw EReadError("The text cannot be read into " + Name());
}

void TKvRichEdit::LoadFromFile(const std::string& fileName)
{
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}
