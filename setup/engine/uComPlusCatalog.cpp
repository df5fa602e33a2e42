// Component-services undo through late-bound automation calls on the catalog:
// collections are populated, walked from the last item to the first (removal
// shifts the items after it) and saved.
#include "uComPlusCatalog.h"

#include "Exception.h"
#include "uWideText.h"
#include "uWinScoped.h"

#include <windows.h>
#include <oleauto.h>

#include <utility>
#include <vector>

namespace uComPlusCatalog {

const char* const CatalogProgId = "MTSAdmin.Catalog.1";

namespace {

using uWideText::Widen;

std::string Narrow(const wchar_t* text, UINT length)
{
    if (!text || length == 0)
        return std::string();
    int count = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), &narrow[0], count, nullptr, nullptr);
    return narrow;
}

std::string HResultText(HRESULT result)
{
    char text[16];
    wsprintfA(text, "0x%08lX", static_cast<unsigned long>(result));
    std::string message = text;
    char* system = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<char*>(&system), 0,
                                  nullptr);
    if (length > 0 && system) {
        std::string description(system, length);
        while (!description.empty() && (description.back() == '\r' || description.back() == '\n' ||
                                        description.back() == ' ' || description.back() == '.'))
            description.pop_back();
        message += ": " + description;
    }
    if (system)
        LocalFree(system);
    return message;
}

[[noreturn]] void RaiseCatalogError(const std::string& what, HRESULT result)
{
    throw Exception("The component-services catalog \"" + std::string(CatalogProgId) + "\" failed to " + what +
                    " (" + HResultText(result) + ")");
}

// A VARIANT cleared when it goes.
class TVariant {
public:
    TVariant() { VariantInit(&value_); }
    explicit TVariant(const std::string& text) : TVariant()
    {
        std::wstring wide = Widen(text);
        value_.vt = VT_BSTR;
        value_.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    }
    explicit TVariant(long number) : TVariant()
    {
        value_.vt = VT_I4;
        value_.lVal = number;
    }
    TVariant(TVariant&& other) noexcept : TVariant() { std::swap(value_, other.value_); }
    TVariant(const TVariant&) = delete;
    TVariant& operator=(const TVariant&) = delete;
    ~TVariant() { VariantClear(&value_); }

    VARIANT* Get() { return &value_; }
    const VARIANT* Get() const { return &value_; }

    std::string AsText(const std::string& what) const
    {
        TVariant converted;
        HRESULT result = VariantChangeType(converted.Get(), const_cast<VARIANT*>(&value_), 0, VT_BSTR);
        if (FAILED(result))
            RaiseCatalogError("give " + what + " as text", result);
        return Narrow(converted.value_.bstrVal, SysStringLen(converted.value_.bstrVal));
    }
    long AsLong(const std::string& what) const
    {
        TVariant converted;
        HRESULT result = VariantChangeType(converted.Get(), const_cast<VARIANT*>(&value_), 0, VT_I4);
        if (FAILED(result))
            RaiseCatalogError("give " + what + " as a number", result);
        return converted.value_.lVal;
    }

private:
    VARIANT value_;
};

// An automation object called by member name.
class TAutomationObject {
public:
    explicit TAutomationObject(IDispatch* dispatch) : dispatch_(dispatch) {}
    TAutomationObject(TAutomationObject&& other) noexcept : dispatch_(std::exchange(other.dispatch_, nullptr)) {}
    TAutomationObject(const TAutomationObject&) = delete;
    TAutomationObject& operator=(const TAutomationObject&) = delete;
    ~TAutomationObject()
    {
        if (dispatch_)
            dispatch_->Release();
    }

    // Calls a method or reads a property; arguments in their written order.
    TVariant Call(const std::string& member, std::vector<TVariant> arguments = {}) const
    {
        std::wstring wide = Widen(member);
        LPOLESTR names[] = {&wide[0]};
        DISPID id = 0;
        HRESULT result = dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(result))
            RaiseCatalogError("find " + member, result);
        // Automation takes the arguments last to first.
        std::vector<VARIANT> reversed;
        for (auto argument = arguments.rbegin(); argument != arguments.rend(); ++argument)
            reversed.push_back(*argument->Get());
        DISPPARAMS parameters = {reversed.empty() ? nullptr : reversed.data(), nullptr,
                                 static_cast<UINT>(reversed.size()), 0};
        TVariant answer;
        EXCEPINFO exception = {};
        result = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                   &parameters, answer.Get(), &exception, nullptr);
        std::string description;
        if (exception.bstrDescription)
            description = Narrow(exception.bstrDescription, SysStringLen(exception.bstrDescription));
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
        if (FAILED(result)) {
            if (result == DISP_E_EXCEPTION && !description.empty())
                throw Exception("The component-services catalog \"" + std::string(CatalogProgId) +
                                "\" failed to call " + member + ": " + description);
            RaiseCatalogError("call " + member, result);
        }
        return answer;
    }

    // A call whose answer is another automation object.
    TAutomationObject CallObject(const std::string& member, std::vector<TVariant> arguments = {}) const
    {
        TVariant answer = Call(member, std::move(arguments));
        VARIANT* value = answer.Get();
        IDispatch* dispatch = nullptr;
        if (value->vt == VT_DISPATCH && value->pdispVal)
            value->pdispVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
        else if (value->vt == VT_UNKNOWN && value->punkVal)
            value->punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
        if (!dispatch)
            RaiseCatalogError("give an object for " + member, E_NOINTERFACE);
        return TAutomationObject(dispatch);
    }

private:
    IDispatch* dispatch_;
};

TAutomationObject CreateCatalog()
{
    std::wstring progId = Widen(CatalogProgId);
    CLSID classId;
    HRESULT result = CLSIDFromProgID(progId.c_str(), &classId);
    if (FAILED(result))
        throw Exception("The component-services catalog \"" + std::string(CatalogProgId) +
                        "\" is not available on this computer (" + HResultText(result) + ")");
    IDispatch* dispatch = nullptr;
    result = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(&dispatch));
    if (FAILED(result) || !dispatch)
        throw Exception("The component-services catalog \"" + std::string(CatalogProgId) +
                        "\" cannot be created (" + HResultText(result) + ")");
    return TAutomationObject(dispatch);
}

std::string ItemValue(const TAutomationObject& item, const std::string& property)
{
    std::vector<TVariant> arguments;
    arguments.emplace_back(property);
    return item.Call("Value", std::move(arguments)).AsText(property);
}

TAutomationObject Item(const TAutomationObject& collection, long index)
{
    std::vector<TVariant> arguments;
    arguments.emplace_back(index);
    return collection.CallObject("Item", std::move(arguments));
}

void RemoveItem(const TAutomationObject& collection, long index)
{
    std::vector<TVariant> arguments;
    arguments.emplace_back(index);
    collection.Call("Remove", std::move(arguments));
}

TAutomationObject PopulatedPackages(const TAutomationObject& catalog)
{
    std::vector<TVariant> arguments;
    arguments.emplace_back(std::string("Packages"));
    TAutomationObject packages = catalog.CallObject("GetCollection", std::move(arguments));
    packages.Call("Populate");
    return packages;
}

} // namespace

void RemoveApplication(const std::string& name)
{
    uWinScoped::TComApartment apartment;
    TAutomationObject catalog = CreateCatalog();
    TAutomationObject packages = PopulatedPackages(catalog);
    for (long index = packages.Call("Count").AsLong("Count") - 1; index >= 0; --index) {
        if (ItemValue(Item(packages, index), "Name") == name)
            RemoveItem(packages, index);
    }
    packages.Call("SaveChanges");
}

void RemoveComponent(const std::string& appName, const std::string& progId)
{
    uWinScoped::TComApartment apartment;
    TAutomationObject catalog = CreateCatalog();
    TAutomationObject packages = PopulatedPackages(catalog);
    for (long index = packages.Call("Count").AsLong("Count") - 1; index >= 0; --index) {
        TAutomationObject application = Item(packages, index);
        if (ItemValue(application, "Name") != appName)
            continue;
        std::vector<TVariant> arguments;
        arguments.emplace_back(std::string("ComponentsInPackage"));
        arguments.push_back(application.Call("Key"));
        TAutomationObject components = packages.CallObject("GetCollection", std::move(arguments));
        components.Call("Populate");
        for (long entry = components.Call("Count").AsLong("Count") - 1; entry >= 0; --entry) {
            if (ItemValue(Item(components, entry), "ProgID") == progId) {
                RemoveItem(components, entry);
                components.Call("SaveChanges");
                break;
            }
        }
    }
}

} // namespace uComPlusCatalog
