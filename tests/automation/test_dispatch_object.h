// A small in-process automation object whose type information comes from
// CreateDispTypeInfo and whose Invoke is written by hand, so the tests can
// see exactly what the member access hands over and make it fail at will.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cwctype>
#include <string>

namespace tessaly::testing {

class TestDispatchObject : public IDispatch {
public:
    enum Member : DISPID { Join = 1, Twice = 2, Fail = 3, Size = 4, Self = 5, Nothing = 6, Shout = 7 };

    bool refuseDispatch = false;
    bool refuseTypeInfo = false;
    bool answerNames = false;
    int32_t size = 0;
    bool lastPutWasNamed = false;

    TestDispatchObject() { buildTypeInfo(); }
    virtual ~TestDispatchObject()
    {
        if (typeInfo_ != nullptr) typeInfo_->Release();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        *out = nullptr;
        if (iid == IID_IUnknown || (iid == IID_IDispatch && !refuseDispatch)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // lives on the test's stack
    ULONG references() const { return references_; }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override
    {
        *out = nullptr;
        if (refuseTypeInfo || typeInfo_ == nullptr) return E_NOTIMPL;
        typeInfo_->AddRef();
        *out = typeInfo_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override
    {
        if (!answerNames) return E_NOTIMPL;
        *ids = std::wstring(names[0]) == L"Join" ? DISPID{Join} : DISPID_UNKNOWN;
        return *ids == Join ? S_OK : DISP_E_UNKNOWNNAME;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO*, UINT*) override
    {
        VARIANT* args = parameters->rgvarg;
        switch (member) {
        case Join: {  // (a, b): args arrive last first
            if (parameters->cArgs != 2 || args[0].vt != VT_BSTR || args[1].vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
            const std::wstring joined = std::wstring(args[1].bstrVal) + L"|" + args[0].bstrVal;
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(joined.c_str());
            return S_OK;
        }
        case Twice:
            if (parameters->cArgs != 1) return DISP_E_BADPARAMCOUNT;
            if (args[0].vt == (VT_BYREF | VT_I4)) *args[0].plVal *= 2;
            return S_OK;
        case Shout:
            if (parameters->cArgs != 1 || args[0].vt != (VT_BYREF | VT_BSTR)) return DISP_E_TYPEMISMATCH;
            for (wchar_t* c = *args[0].pbstrVal; c != nullptr && *c != 0; ++c) *c = static_cast<wchar_t>(std::towupper(*c));
            return S_OK;
        case Fail: return static_cast<HRESULT>(args[0].lVal);
        case Size:
            if (flags & DISPATCH_PROPERTYPUT) {
                lastPutWasNamed = parameters->cNamedArgs == 1 && parameters->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
                size = args[0].lVal;
                return S_OK;
            }
            result->vt = VT_I4;
            result->lVal = size;
            return S_OK;
        case Self:
            result->vt = VT_DISPATCH;
            result->pdispVal = this;
            AddRef();
            return S_OK;
        case Nothing: return S_OK;
        default: return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    void buildTypeInfo()
    {
        static PARAMDATA twoTexts[] = {{const_cast<OLECHAR*>(L"a"), VT_BSTR}, {const_cast<OLECHAR*>(L"b"), VT_BSTR}};
        static PARAMDATA intByReference[] = {{const_cast<OLECHAR*>(L"value"), VT_BYREF | VT_I4}};
        static PARAMDATA textByReference[] = {{const_cast<OLECHAR*>(L"value"), VT_BYREF | VT_BSTR}};
        static PARAMDATA oneInt[] = {{const_cast<OLECHAR*>(L"code"), VT_I4}};
        static METHODDATA methods[] = {
            {const_cast<OLECHAR*>(L"Join"), twoTexts, Join, 7, CC_STDCALL, 2, DISPATCH_METHOD, VT_BSTR},
            {const_cast<OLECHAR*>(L"Twice"), intByReference, Twice, 8, CC_STDCALL, 1, DISPATCH_METHOD, VT_EMPTY},
            {const_cast<OLECHAR*>(L"Fail"), oneInt, Fail, 9, CC_STDCALL, 1, DISPATCH_METHOD, VT_EMPTY},
            {const_cast<OLECHAR*>(L"Size"), nullptr, Size, 10, CC_STDCALL, 0, DISPATCH_PROPERTYGET, VT_I4},
            {const_cast<OLECHAR*>(L"Size"), oneInt, Size, 11, CC_STDCALL, 1, DISPATCH_PROPERTYPUT, VT_EMPTY},
            {const_cast<OLECHAR*>(L"Self"), nullptr, Self, 12, CC_STDCALL, 0, DISPATCH_PROPERTYGET, VT_DISPATCH},
            {const_cast<OLECHAR*>(L"Nothing"), nullptr, Nothing, 13, CC_STDCALL, 0, DISPATCH_PROPERTYGET, VT_EMPTY},
            {const_cast<OLECHAR*>(L"Shout"), textByReference, Shout, 14, CC_STDCALL, 1, DISPATCH_METHOD, VT_EMPTY},
        };
        static INTERFACEDATA data = {methods, sizeof methods / sizeof methods[0]};
        ITypeInfo* classInfo = nullptr;
        if (FAILED(CreateDispTypeInfo(&data, LOCALE_SYSTEM_DEFAULT, &classInfo))) return;
        // The interface, not the class that CreateDispTypeInfo wraps around it.
        HREFTYPE reference = 0;
        if (SUCCEEDED(classInfo->GetRefTypeOfImplType(0, &reference)))
            classInfo->GetRefTypeInfo(reference, &typeInfo_);
        classInfo->Release();
    }

    ULONG references_ = 1;
    ITypeInfo* typeInfo_ = nullptr;
};

}  // namespace tessaly::testing
