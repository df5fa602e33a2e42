// TKvRichEdit: a multi-line edit over the system's rich edit control that shows
// plain text or RTF (the readme and the licence of an install), read from a stream.
#pragma once

#include "KvCustomEdit.h"

class TStream;

class TKvRichEdit : public TKvCustomEdit {
public:
    CLASSLIB_CLASS_NAME(TKvRichEdit)
    explicit TKvRichEdit(TComponent* owner);

    // With PlainText on, streams are read as text; otherwise as RTF.
    bool PlainText() const { return plainText_; }
    void SetPlainText(bool value) { plainText_ = value; }
    // Replaces the contents with the stream's bytes from its position to the end.
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);

protected:
    void CreateParams(TCreateParams& params) override;
    void BackgroundChanged() override;
    // The text in the ANSI code page, lines ending in CR LF.
    std::string GetText() const override;

private:
    bool plainText_ = false;
};
