// The catalog double: late-bound objects answering the calls the uninstaller
// makes (GetCollection, Populate, Count, Item, Remove, SaveChanges, Value, Key).
#include "CatalogDouble.h"

#include "ComPtr.h"
#include "OwnedHandles.h"
#include "OwnedVariant.h"
#include "uWideText.h"

#include <oleauto.h>

#include <algorithm>

namespace {

// {6B1E8D3C-5A2F-4C1B-9E7D-3F2A1B0C9D8E}
const CLSID CatalogDoubleClass = {0x6b1e8d3c, 0x5a2f, 0x4c1b, {0x9e, 0x7d, 0x3f, 0x2a, 0x1b, 0x0c, 0x9d, 0x8e}};
const char* const ProgIdKey = "Software\\Classes\\MTSAdmin.Catalog.1";
const char* const ClassIdText = "{6B1E8D3C-5A2F-4C1B-9E7D-3F2A1B0C9D8E}";

TCatalogState& SharedState()
{
    static TCatalogState state;
    return state;
}

enum TMember { mGetCollection = 1, mPopulate, mCount, mItem, mRemove, mSaveChanges, mValue, mKey, mName };

void SetText(VARIANT* result, const std::string& text)
{
    if (!result)
        return;
    std::wstring wide = uWideText::Widen(text);
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

void SetLong(VARIANT* result, long value)
{
    if (!result)
        return;
    result->vt = VT_I4;
    result->lVal = value;
}

bool ArgText(VARIANT* argument, std::string& text)
{
    TOwnedVariant converted;
    if (FAILED(VariantChangeType(converted.Get(), argument, 0, VT_BSTR)))
        return false;
    text = uWideText::Narrow(converted.Get()->bstrVal, SysStringLen(converted.Get()->bstrVal));
    return true;
}

bool ArgLong(VARIANT* argument, long& value)
{
    TOwnedVariant converted;
    if (FAILED(VariantChangeType(converted.Get(), argument, 0, VT_I4)))
        return false;
    value = converted.Get()->lVal;
    return true;
}

class TDispatchBase : public IDispatch {
public:
    virtual ~TDispatchBase() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        static const struct {
            const wchar_t* name;
            TMember member;
        } table[] = {{L"GetCollection", mGetCollection}, {L"Populate", mPopulate}, {L"Count", mCount},
                     {L"Item", mItem},   {L"Remove", mRemove},   {L"SaveChanges", mSaveChanges},
                     {L"Value", mValue}, {L"Key", mKey},         {L"Name", mName}};
        HRESULT result = S_OK;
        for (UINT index = 0; index < count; ++index) {
            ids[index] = DISPID_UNKNOWN;
            for (const auto& entry : table)
                if (_wcsicmp(entry.name, names[index]) == 0)
                    ids[index] = entry.member;
            if (ids[index] == DISPID_UNKNOWN)
                result = DISP_E_UNKNOWNNAME;
        }
        return result;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO*, UINT*) override
    {
        std::vector<VARIANT*> arguments;
        for (UINT index = parameters ? parameters->cArgs : 0; index > 0; --index)
            arguments.push_back(&parameters->rgvarg[index - 1]);
        if (result)
            VariantInit(result);
        return Call(static_cast<TMember>(id), arguments, result);
    }

protected:
    virtual HRESULT Call(TMember member, const std::vector<VARIANT*>& arguments, VARIANT* result) = 0;

    static void SetObject(VARIANT* result, TDispatchBase* object)
    {
        if (!result) {
            ComPtr<TDispatchBase> unwanted;
            unwanted.Reset(object); // nobody asked for it: its first reference goes now
            return;
        }
        result->vt = VT_DISPATCH;
        result->pdispVal = object; // the new object's first reference goes to the caller
    }

private:
    ULONG references_ = 1;
};

class TCatalogObject : public TDispatchBase {
public:
    TCatalogObject(std::string name, std::string key, std::string progId)
        : name_(std::move(name)), key_(std::move(key)), progId_(std::move(progId))
    {
    }

protected:
    HRESULT Call(TMember member, const std::vector<VARIANT*>& arguments, VARIANT* result) override
    {
        std::string property;
        switch (member) {
        case mValue:
            if (arguments.size() != 1 || !ArgText(arguments[0], property))
                return DISP_E_BADPARAMCOUNT;
            if (property == "Name")
                SetText(result, name_);
            else if (property == "ProgID")
                SetText(result, progId_);
            else
                return DISP_E_MEMBERNOTFOUND;
            return S_OK;
        case mKey:
            SetText(result, key_);
            return S_OK;
        case mName:
            SetText(result, name_);
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    std::string name_, key_, progId_;
};

// "Packages" (applicationKey empty) or the components of one application.
class TCatalogCollection : public TDispatchBase {
public:
    explicit TCatalogCollection(std::string applicationKey = std::string())
        : applicationKey_(std::move(applicationKey))
    {
    }

protected:
    HRESULT Call(TMember member, const std::vector<VARIANT*>& arguments, VARIANT* result) override
    {
        TCatalogState& state = SharedState();
        long index = 0;
        switch (member) {
        case mPopulate:
            items_.clear();
            removed_.clear();
            if (applicationKey_.empty()) {
                for (size_t at = 0; at < state.Applications.size(); ++at)
                    items_.push_back({state.Applications[at].Name, state.Applications[at].Key, "", at});
            } else if (TCatalogApplication* application = Application(applicationKey_)) {
                for (size_t at = 0; at < application->Components.size(); ++at)
                    items_.push_back({"", "", application->Components[at], at});
            }
            return S_OK;
        case mCount:
            SetLong(result, static_cast<long>(items_.size()));
            return S_OK;
        case mItem:
            if (arguments.size() != 1 || !ArgLong(arguments[0], index) || index < 0 ||
                index >= static_cast<long>(items_.size()))
                return DISP_E_BADINDEX;
            SetObject(result, new TCatalogObject(items_[static_cast<size_t>(index)].name,
                                                 items_[static_cast<size_t>(index)].key,
                                                 items_[static_cast<size_t>(index)].progId));
            return S_OK;
        case mRemove:
            if (arguments.size() != 1 || !ArgLong(arguments[0], index) || index < 0 ||
                index >= static_cast<long>(items_.size()))
                return DISP_E_BADINDEX;
            removed_.push_back(items_[static_cast<size_t>(index)]);
            items_.erase(items_.begin() + index);
            return S_OK;
        case mSaveChanges:
            // Last place first, so that each removal leaves the earlier places as they were.
            std::sort(removed_.begin(), removed_.end(),
                      [](const TItem& a, const TItem& b) { return a.place > b.place; });
            for (const TItem& item : removed_)
                Apply(state, item);
            SetLong(result, static_cast<long>(removed_.size()));
            removed_.clear();
            ++state.SaveCount;
            return S_OK;
        case mGetCollection: {
            std::string name, key;
            if (arguments.size() != 2 || !ArgText(arguments[0], name) || !ArgText(arguments[1], key) ||
                name != "ComponentsInPackage" || !applicationKey_.empty())
                return E_INVALIDARG;
            SetObject(result, new TCatalogCollection(key));
            return S_OK;
        }
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    struct TItem {
        std::string name, key, progId;
        size_t place; // in the catalog when the collection was populated
    };

    static TCatalogApplication* Application(const std::string& key)
    {
        for (TCatalogApplication& application : SharedState().Applications)
            if (application.Key == key)
                return &application;
        return nullptr;
    }

    void Apply(TCatalogState& state, const TItem& item)
    {
        if (applicationKey_.empty()) {
            if (item.place < state.Applications.size())
                state.Applications.erase(state.Applications.begin() + static_cast<long>(item.place));
        } else if (TCatalogApplication* application = Application(applicationKey_)) {
            if (item.place < application->Components.size())
                application->Components.erase(application->Components.begin() + static_cast<long>(item.place));
        }
    }

    std::string applicationKey_;
    std::vector<TItem> items_;
    std::vector<TItem> removed_;
};

class TCatalog : public TDispatchBase {
protected:
    HRESULT Call(TMember member, const std::vector<VARIANT*>& arguments, VARIANT* result) override
    {
        std::string name;
        if (member != mGetCollection || arguments.size() != 1 || !ArgText(arguments[0], name) || name != "Packages")
            return E_INVALIDARG;
        SetObject(result, new TCatalogCollection());
        return S_OK;
    }
};

class TCatalogFactory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The factory lives as long as the registration; it is not counted.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        ComPtr<TCatalog> catalog;
        catalog.Reset(new TCatalog()); // the new object's first reference, given back when done
        return catalog->QueryInterface(iid, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

TCatalogFactory factory;

} // namespace

TCatalogDouble::TCatalogDouble()
{
    SharedState() = TCatalogState();
    {
        TOwnedRegKey key;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(ProgIdKey) + "\\CLSID").c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, key.Receive(), nullptr);
        RegSetValueExA(key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(ClassIdText),
                       static_cast<DWORD>(strlen(ClassIdText) + 1));
    }
    CoRegisterClassObject(CatalogDoubleClass, &factory, CLSCTX_INPROC_SERVER,
                          REGCLS_MULTIPLEUSE, &cookie_);
}

TCatalogDouble::~TCatalogDouble()
{
    if (cookie_)
        CoRevokeClassObject(cookie_);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(ProgIdKey) + "\\CLSID").c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, ProgIdKey);
}

TCatalogState& TCatalogDouble::State() { return SharedState(); }

bool CatalogRegistered()
{
    CLSID classId;
    return SUCCEEDED(CLSIDFromProgID(L"MTSAdmin.Catalog.1", &classId));
}
