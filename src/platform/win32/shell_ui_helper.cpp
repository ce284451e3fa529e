#include "platform/win32/shell_ui_helper.h"

#include <windows.h>

#include <oleauto.h>

#include "platform/win32/com_ptr.h"
#include "platform/win32/wide.h"

namespace glmx::platform::win32 {

namespace {

ComPtr<IDispatch> CreateUiHelper() {
    ComPtr<IDispatch> helper;
    CLSID classId{};
    if (FAILED(CLSIDFromProgID(L"Shell.UIHelper", &classId))) return helper;
    CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, helper.put_void());
    return helper;
}

// Calls a method by name; arguments are given first to last.
bool CallMethod(IDispatch& object, const wchar_t* name, VARIANT* arguments, UINT count) {
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
    // IDispatch takes the arguments last first.
    VARIANT reversed[4];
    for (UINT i = 0; i < count && i < 4; ++i) reversed[i] = arguments[count - 1 - i];
    DISPPARAMS parameters{reversed, nullptr, count, 0};
    return SUCCEEDED(object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters,
                                   nullptr, nullptr, nullptr));
}

// Calls method(text, &value): the UI helper's methods take a string and a variant by reference.
bool CallWithTextAndVariant(const wchar_t* method, const std::string& text, VARIANT& value) {
    ComPtr<IDispatch> helper = CreateUiHelper();
    if (!helper) return false;
    VARIANT arguments[2];
    VariantInit(&arguments[0]);
    arguments[0].vt = VT_BSTR;
    arguments[0].bstrVal = SysAllocString(Wide(text).c_str());
    VariantInit(&arguments[1]);
    arguments[1].vt = VT_BYREF | VT_VARIANT;
    arguments[1].pvarVal = &value;
    const bool called = CallMethod(*helper.get(), method, arguments, 2);
    VariantClear(&arguments[0]);
    return called;
}

}  // namespace

bool AddFavorite(const std::string& url, const std::string& title) {
    VARIANT titleValue;
    VariantInit(&titleValue);
    titleValue.vt = VT_BSTR;
    titleValue.bstrVal = SysAllocString(Wide(title).c_str());
    const bool called = CallWithTextAndVariant(L"AddFavorite", url, titleValue);
    VariantClear(&titleValue);
    return called;
}

bool OrganizeFavorites() {
    VARIANT empty;
    VariantInit(&empty);
    return CallWithTextAndVariant(L"ShowBrowserUI", "OrganizeFavorites", empty);
}

}  // namespace glmx::platform::win32
