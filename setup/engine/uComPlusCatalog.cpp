// Component-services undo through late-bound automation calls on the catalog:
// collections are populated, walked from the last item to the first (removal
// shifts the items after it) and saved.
#include "uComPlusCatalog.h"

#include "ComApartment.h"
#include "ComPtr.h"
#include "Exception.h"
#include "OwnedBstr.h"
#include "OwnedVariant.h"
#include "uHResultText.h"
#include "uWideText.h"

#include <windows.h>
#include <oleauto.h>

#include <utility>
#include <vector>

namespace uComPlusCatalog {

const char* const CatalogProgId = "MTSAdmin.Catalog.1";

namespace {

using uWideText::Narrow;
using uWideText::Widen;

[[noreturn]] void RaiseCatalogError(const std::string& what, HRESULT result)
{
    throw Exception("The component-services catalog \"" + std::string(CatalogProgId) + "\" failed to " + what +
                    " (" + uHResultText::CodeAndText(result) + ")");
}

TOwnedVariant TextArgument(const std::string& text)
{
    TOwnedVariant argument;
    std::wstring wide = Widen(text);
    argument.Get()->vt = VT_BSTR;
    argument.Get()->bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return argument;
}

TOwnedVariant NumberArgument(long number)
{
    TOwnedVariant argument;
    argument.Get()->vt = VT_I4;
    argument.Get()->lVal = number;
    return argument;
}

std::string AsText(const TOwnedVariant& value, const std::string& what)
{
    TOwnedVariant converted;
    HRESULT result = VariantChangeType(converted.Get(), const_cast<VARIANT*>(value.Get()), 0, VT_BSTR);
    if (FAILED(result))
        RaiseCatalogError("give " + what + " as text", result);
    return Narrow(converted.Get()->bstrVal, SysStringLen(converted.Get()->bstrVal));
}

long AsLong(const TOwnedVariant& value, const std::string& what)
{
    TOwnedVariant converted;
    HRESULT result = VariantChangeType(converted.Get(), const_cast<VARIANT*>(value.Get()), 0, VT_I4);
    if (FAILED(result))
        RaiseCatalogError("give " + what + " as a number", result);
    return converted.Get()->lVal;
}

// An automation object called by member name.
class TAutomationObject {
public:
    explicit TAutomationObject(ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {}

    // Calls a method or reads a property; arguments in their written order.
    TOwnedVariant Call(const std::string& member, std::vector<TOwnedVariant> arguments = {}) const
    {
        std::wstring wide = Widen(member);
        LPOLESTR names[] = {&wide[0]};
        DISPID id = 0;
        HRESULT result = dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(result))
            RaiseCatalogError("find " + member, result);
        // Automation takes the arguments last to first; `arguments` keeps owning them.
        std::vector<VARIANT> reversed;
        for (auto argument = arguments.rbegin(); argument != arguments.rend(); ++argument)
            reversed.push_back(*argument->Get());
        DISPPARAMS parameters = {reversed.empty() ? nullptr : reversed.data(), nullptr,
                                 static_cast<UINT>(reversed.size()), 0};
        TOwnedVariant answer;
        EXCEPINFO exception = {};
        result = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                   &parameters, answer.Get(), &exception, nullptr);
        // The exception's strings are the caller's to free, whatever the call answered.
        TOwnedBstr source(exception.bstrSource);
        TOwnedBstr description(exception.bstrDescription);
        TOwnedBstr helpFile(exception.bstrHelpFile);
        if (FAILED(result)) {
            std::string text = Narrow(description.Get(), SysStringLen(description.Get()));
            if (result == DISP_E_EXCEPTION && !text.empty())
                throw Exception("The component-services catalog \"" + std::string(CatalogProgId) +
                                "\" failed to call " + member + ": " + text);
            RaiseCatalogError("call " + member, result);
        }
        return answer;
    }

    // A call whose answer is another automation object.
    TAutomationObject CallObject(const std::string& member, std::vector<TOwnedVariant> arguments = {}) const
    {
        TOwnedVariant answer = Call(member, std::move(arguments));
        const VARIANT* value = answer.Get();
        ComPtr<IDispatch> dispatch;
        if (value->vt == VT_DISPATCH && value->pdispVal)
            value->pdispVal->QueryInterface(IID_IDispatch, dispatch.ReceiveVoid());
        else if (value->vt == VT_UNKNOWN && value->punkVal)
            value->punkVal->QueryInterface(IID_IDispatch, dispatch.ReceiveVoid());
        if (!dispatch)
            RaiseCatalogError("give an object for " + member, E_NOINTERFACE);
        return TAutomationObject(std::move(dispatch));
    }

private:
    ComPtr<IDispatch> dispatch_;
};

TAutomationObject CreateCatalog()
{
    std::wstring progId = Widen(CatalogProgId);
    CLSID classId;
    HRESULT result = CLSIDFromProgID(progId.c_str(), &classId);
    if (FAILED(result))
        throw Exception("The component-services catalog \"" + std::string(CatalogProgId) +
                        "\" is not available on this computer (" + uHResultText::CodeAndText(result) + ")");
    ComPtr<IDispatch> dispatch;
    result = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                              dispatch.ReceiveVoid());
    if (FAILED(result) || !dispatch)
        throw Exception("The component-services catalog \"" + std::string(CatalogProgId) +
                        "\" cannot be created (" + uHResultText::CodeAndText(result) + ")");
    return TAutomationObject(std::move(dispatch));
}

std::string ItemValue(const TAutomationObject& item, const std::string& property)
{
    std::vector<TOwnedVariant> arguments;
    arguments.push_back(TextArgument(property));
    return AsText(item.Call("Value", std::move(arguments)), property);
}

TAutomationObject Item(const TAutomationObject& collection, long index)
{
    std::vector<TOwnedVariant> arguments;
    arguments.push_back(NumberArgument(index));
    return collection.CallObject("Item", std::move(arguments));
}

void RemoveItem(const TAutomationObject& collection, long index)
{
    std::vector<TOwnedVariant> arguments;
    arguments.push_back(NumberArgument(index));
    collection.Call("Remove", std::move(arguments));
}

TAutomationObject PopulatedPackages(const TAutomationObject& catalog)
{
    std::vector<TOwnedVariant> arguments;
    arguments.push_back(TextArgument("Packages"));
    TAutomationObject packages = catalog.CallObject("GetCollection", std::move(arguments));
    packages.Call("Populate");
    return packages;
}

} // namespace

void RemoveApplication(const std::string& name)
{
    TComApartment apartment;
    TAutomationObject catalog = CreateCatalog();
    TAutomationObject packages = PopulatedPackages(catalog);
    for (long index = AsLong(packages.Call("Count"), "Count") - 1; index >= 0; --index) {
        if (ItemValue(Item(packages, index), "Name") == name)
            RemoveItem(packages, index);
    }
    packages.Call("SaveChanges");
}

void RemoveComponent(const std::string& appName, const std::string& progId)
{
    TComApartment apartment;
    TAutomationObject catalog = CreateCatalog();
    TAutomationObject packages = PopulatedPackages(catalog);
    for (long index = AsLong(packages.Call("Count"), "Count") - 1; index >= 0; --index) {
        TAutomationObject application = Item(packages, index);
        if (ItemValue(application, "Name") != appName)
            continue;
        std::vector<TOwnedVariant> arguments;
        arguments.push_back(TextArgument("ComponentsInPackage"));
        arguments.push_back(application.Call("Key"));
        TAutomationObject components = packages.CallObject("GetCollection", std::move(arguments));
        components.Call("Populate");
        for (long entry = AsLong(components.Call("Count"), "Count") - 1; entry >= 0; --entry) {
            if (ItemValue(Item(components, entry), "ProgID") == progId) {
                RemoveItem(components, entry);
                components.Call("SaveChanges");
                break;
            }
        }
    }
}

} // namespace uComPlusCatalog
