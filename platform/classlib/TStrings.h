// The abstract list of strings with an object per line: CR LF text,
// name=value lines looked up by name ignoring case, comma and delimited text,
// loading and saving through streams and files.
#pragma once

#include "Closure.h"
#include "TComponent.h"

#include <string>

class TStream;

class TStrings : public TPersistent {
public:
    CLASSLIB_CLASS_NAME(TStrings)

    virtual int Count() const = 0;
    virtual std::string Strings(int index) const = 0;
    virtual void SetStrings(int index, const std::string& value) = 0;
    virtual TObject* Objects(int index) const = 0;
    virtual void SetObjects(int index, TObject* object) = 0;
    virtual void Insert(int index, const std::string& value) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    std::string operator[](int index) const { return Strings(index); }

    virtual int Add(const std::string& value);
    virtual int AddObject(const std::string& value, TObject* object);
    void InsertObject(int index, const std::string& value, TObject* object);
    void AddStrings(const TStrings& strings);
    void Append(const std::string& value) { Add(value); }
    void Exchange(int index1, int index2);
    void Move(int fromIndex, int toIndex);

    // First line equal to `value` ignoring ASCII case (or exactly, when the list
    // is case sensitive); -1 when there is none.
    virtual int IndexOf(const std::string& value) const;
    int IndexOfObject(const TObject* object) const;

    // Name=value lines: the name is the text before the first separator.
    // Lookups by name ignore case and take the first match.
    int IndexOfName(const std::string& name) const;
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    std::string Values(const std::string& name) const;
    // Sets the value of the first line of that name, adds a line when there is
    // none, and deletes the line when the value is empty.
    void SetValues(const std::string& name, const std::string& value);
    void SetValueFromIndex(int index, const std::string& value);
    char NameValueSeparator() const { return nameValueSeparator_; }
    void SetNameValueSeparator(char separator) { nameValueSeparator_ = separator; }

    // Every line followed by CR LF.
    std::string Text() const;
    // Splits at CR LF, CR or LF; a final line break adds no empty line.
    virtual void SetText(const std::string& text);

    // Lines joined by the delimiter, quoted with QuoteChar when they hold
    // blanks, the delimiter or quotes.
    std::string DelimitedText() const;
    void SetDelimitedText(const std::string& text);
    // Delimited text with ',' and '"'.
    std::string CommaText() const;
    void SetCommaText(const std::string& text);
    char Delimiter() const { return delimiter_; }
    void SetDelimiter(char delimiter) { delimiter_ = delimiter; }
    char QuoteChar() const { return quoteChar_; }
    void SetQuoteChar(char quoteChar) { quoteChar_ = quoteChar; }

    bool CaseSensitive() const { return caseSensitive_; }
    virtual void SetCaseSensitive(bool value) { caseSensitive_ = value; }

    // Bytes are kept as they are (GBK text stays byte for byte).
    virtual void LoadFromStream(TStream& stream);
    virtual void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    // Change notifications are held back between BeginUpdate and the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    void Assign(TPersistent* source) override;
    bool Equals(const TStrings& other) const;

protected:
    // Told when updates begin (true) and end (false).
    virtual void SetUpdateState(bool /*updating*/) {}
    int CompareStrings(const std::string& a, const std::string& b) const;

private:
    std::string JoinDelimited(char delimiter, char quoteChar) const;
    void SplitDelimited(const std::string& text, char delimiter, char quoteChar);

    char nameValueSeparator_ = '=';
    char delimiter_ = ',';
    char quoteChar_ = '"';
    bool caseSensitive_ = false;
    int updateCount_ = 0;
};
