#include "runtime/core/automation/member_access.h"

#include <array>
#include <span>
#include <vector>

#include "runtime/core/automation/automation_commands.h"
#include "runtime/core/automation/variant_conversion.h"

namespace tessaly {

namespace {
thread_local int32_t lastError = 0;
}

int32_t lastAutomationError() { return lastError; }

namespace automation {

void setLastAutomationError(int32_t code) { lastError = code; }

namespace {

constexpr int32_t code(AutomationError error) { return static_cast<int32_t>(error); }

// The invocation kinds tried, in order, until the name binds.
std::span<const INVOKEKIND> bindingOrder(AccessKind kind)
{
    static constexpr std::array<INVOKEKIND, 2> read = {INVOKE_PROPERTYGET, INVOKE_FUNC};
    static constexpr std::array<INVOKEKIND, 3> write = {INVOKE_PROPERTYPUT, INVOKE_PROPERTYPUTREF, INVOKE_FUNC};
    static constexpr std::array<INVOKEKIND, 4> call = {INVOKE_FUNC, INVOKE_PROPERTYGET, INVOKE_PROPERTYPUT,
                                                       INVOKE_PROPERTYPUTREF};
    switch (kind) {
    case AccessKind::Read: return read;
    case AccessKind::Write: return write;
    default: return call;
    }
}

// What the binding tells about the member.
struct BoundMember {
    MEMBERID id = DISPID_UNKNOWN;
    WORD invokeFlags = 0;
    int declaredCount = 0;
    bool variableArguments = false;
    std::vector<bool> byReference;        // per declared parameter
    std::vector<bool> variantReference;   // the parameter is a VARIANT*
};

BoundMember describe(const FUNCDESC& function)
{
    BoundMember member;
    member.id = function.memid;
    member.invokeFlags = static_cast<WORD>(function.invkind);
    member.declaredCount = function.cParams;
    member.variableArguments = function.cParamsOpt == -1;
    for (SHORT i = 0; i < function.cParams; ++i) {
        const ELEMDESC& parameter = function.lprgelemdescParam[i];
        // Type information made by CreateDispTypeInfo marks a by-reference
        // parameter with VT_BYREF on its own type instead of a VT_PTR.
        const bool pointer = parameter.tdesc.vt == VT_PTR || (parameter.tdesc.vt & VT_BYREF) != 0;
        const bool out = (parameter.paramdesc.wParamFlags & PARAMFLAG_FOUT) != 0;
        member.byReference.push_back(pointer || out);
        const bool variantPointer = parameter.tdesc.vt == VT_PTR && parameter.tdesc.lptdesc != nullptr &&
                                    parameter.tdesc.lptdesc->vt == VT_VARIANT;
        member.variantReference.push_back(variantPointer || parameter.tdesc.vt == (VT_BYREF | VT_VARIANT));
    }
    return member;
}

BoundMember describe(const VARDESC& variable, INVOKEKIND kind)
{
    BoundMember member;
    member.id = variable.memid;
    member.invokeFlags = static_cast<WORD>(kind == INVOKE_FUNC ? INVOKE_PROPERTYGET : kind);
    member.declaredCount = kind == INVOKE_PROPERTYGET || kind == INVOKE_FUNC ? 0 : 1;
    member.byReference.assign(static_cast<size_t>(member.declaredCount), false);
    member.variantReference = member.byReference;
    return member;
}

// Binds the name with the first invocation kind that accepts it.
bool bind(ITypeInfo& typeInfo, const wchar_t* name, AccessKind kind, BoundMember& member)
{
    ComPtr<ITypeComp> typeComp;
    if (FAILED(typeInfo.GetTypeComp(typeComp.out()))) return false;
    const ULONG hash = LHashValOfName(LOCALE_USER_DEFAULT, name);
    for (const INVOKEKIND invokeKind : bindingOrder(kind)) {
        ComPtr<ITypeInfo> owner;
        DESCKIND descKind = DESCKIND_NONE;
        BINDPTR bound{};
        if (FAILED(typeComp->Bind(const_cast<wchar_t*>(name), hash, static_cast<WORD>(invokeKind), owner.out(),
                                  &descKind, &bound)))
            continue;
        switch (descKind) {
        case DESCKIND_FUNCDESC:
            member = describe(*bound.lpfuncdesc);
            owner->ReleaseFuncDesc(bound.lpfuncdesc);
            return true;
        case DESCKIND_VARDESC:
            member = describe(*bound.lpvardesc, invokeKind);
            owner->ReleaseVarDesc(bound.lpvardesc);
            return true;
        case DESCKIND_TYPECOMP:
            bound.lptcomp->Release();
            return false;
        case DESCKIND_NONE: continue;
        default: return false;
        }
    }
    return false;
}

// Some objects answer by name but describe nothing (Wine's match collections
// are such objects, where Windows gives full type information). They are
// bound by name alone: a read or call as method and property get at once, a
// write as property put, any argument count, no by-reference parameters.
bool bindByName(IDispatch& dispatch, wchar_t* name, AccessKind kind, BoundMember& member)
{
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(dispatch.GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) return false;
    member = {};
    member.id = id;
    member.variableArguments = true;
    member.invokeFlags = kind == AccessKind::Write ? DISPATCH_PROPERTYPUT : DISPATCH_METHOD | DISPATCH_PROPERTYGET;
    return true;
}

int32_t invokeFailure(HRESULT hr)
{
    switch (hr) {
    case DISP_E_MEMBERNOTFOUND: return code(AutomationError::MemberNotFound);
    case DISP_E_PARAMNOTFOUND: return code(AutomationError::ParameterNotFound);
    case DISP_E_TYPEMISMATCH: return code(AutomationError::TypeMismatch);
    case DISP_E_NONAMEDARGS: return code(AutomationError::NoNamedArguments);
    case DISP_E_BADVARTYPE: return code(AutomationError::BadVariantType);
    case DISP_E_EXCEPTION: return code(AutomationError::Exception);
    case DISP_E_OVERFLOW: return code(AutomationError::Overflow);
    case DISP_E_BADPARAMCOUNT: return code(AutomationError::BadParameterCount);
    case DISP_E_PARAMNOTOPTIONAL: return code(AutomationError::ParameterNotOptional);
    default: return code(AutomationError::InvokeFailed);
    }
}

// One member argument prepared for the call.
struct PreparedArgument {
    VariantOwner held;      // the value, or what a by-reference pointer points to
    VARIANT passed{};       // what Invoke receives
    void* variable = nullptr;  // caller's variable, for write-back
    uint32_t type = 0;
};

bool prepare(const TypedValue& argument, bool byReference, bool variantReference, PreparedArgument& prepared)
{
    VariantInit(&prepared.passed);
    if (!argument.given()) {
        prepared.passed.vt = VT_ERROR;
        prepared.passed.scode = DISP_E_PARAMNOTFOUND;
        return true;
    }
    const TypedValue plain = hasArgumentFlag(argument.type) ? readVariable(argument) : argument;
    if (!scalarToVariant(plain.type, plain.bits64(), prepared.held.v)) return false;
    if (hasArgumentFlag(argument.type)) {
        prepared.variable = argument.pointer();
        prepared.type = argument.baseType();
    }
    if (!byReference) {
        prepared.passed = prepared.held.v;  // borrowed: cleared through `held`
        return true;
    }
    if (variantReference) {
        prepared.passed.vt = VT_BYREF | VT_VARIANT;
        prepared.passed.pvarVal = &prepared.held.v;
    } else {
        prepared.passed.vt = static_cast<VARTYPE>(VT_BYREF | prepared.held.v.vt);
        prepared.passed.byref = &prepared.held.v.lVal;  // every union member starts here
    }
    return true;
}

// Trailing omitted arguments do not count.
int32_t givenCount(int32_t count, const TypedValue* memberArguments)
{
    while (count > 0 && !memberArguments[count - 1].given()) --count;
    return count;
}

int32_t invoke(IDispatch& dispatch, const BoundMember& member, std::vector<PreparedArgument>& prepared,
               VARIANT& result)
{
    // Automation expects the arguments last to first.
    std::vector<VARIANT> reversed;
    for (auto it = prepared.rbegin(); it != prepared.rend(); ++it) reversed.push_back(it->passed);
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    const bool put = (member.invokeFlags & (INVOKE_PROPERTYPUT | INVOKE_PROPERTYPUTREF)) != 0;
    if (put && !reversed.empty()) {
        parameters.rgdispidNamedArgs = &putId;
        parameters.cNamedArgs = 1;
    }
    EXCEPINFO exception{};
    UINT argumentError = 0;
    const HRESULT hr = dispatch.Invoke(member.id, IID_NULL, LOCALE_USER_DEFAULT, member.invokeFlags, &parameters,
                                       put ? nullptr : &result, &exception, &argumentError);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return FAILED(hr) ? invokeFailure(hr) : 0;
}

void writeBack(std::vector<PreparedArgument>& prepared, const BoundMember& member)
{
    for (size_t i = 0; i < prepared.size(); ++i)
        if (prepared[i].variable != nullptr && i < member.byReference.size() && member.byReference[i])
            writeVariable(prepared[i].type, prepared[i].variable, prepared[i].held.v);
}

}  // namespace

int32_t accessMember(AccessKind kind, int32_t count, const TypedValue* arguments, VARIANT& result)
{
    VariantInit(&result);
    if (count < 2) return code(AutomationError::MemberNotBound);
    const auto* object = arguments[0].pointer<ObjectBlock>();
    auto* unknown = object == nullptr ? nullptr : static_cast<IUnknown*>(object->unknown);
    if (unknown == nullptr) return code(AutomationError::EmptyObject);
    ComPtr<IDispatch> dispatch;
    if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.out()))))
        return code(AutomationError::NoDispatch);
    const Bstr name = toBstr(arguments[1].text());
    BoundMember member;
    ComPtr<ITypeInfo> typeInfo;
    if (SUCCEEDED(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, typeInfo.out())) && typeInfo) {
        if (!bind(*typeInfo, name.get(), kind, member)) return code(AutomationError::MemberNotBound);
    } else if (!bindByName(*dispatch, name.get(), kind, member)) {
        return code(AutomationError::NoTypeInfo);
    }

    const TypedValue* memberArguments = arguments + 2;
    const int32_t given = givenCount(count - 2, memberArguments);
    if (given > member.declaredCount && !member.variableArguments) return code(AutomationError::TooManyArguments);

    std::vector<PreparedArgument> prepared(static_cast<size_t>(given));
    for (int32_t i = 0; i < given; ++i) {
        const auto index = static_cast<size_t>(i);
        const bool byReference = index < member.byReference.size() && member.byReference[index];
        const bool variantReference = byReference && member.variantReference[index];
        if (!prepare(memberArguments[i], byReference, variantReference, prepared[index]))
            return code(AutomationError::ArgumentNotConvertible);
    }
    if (const int32_t failure = invoke(*dispatch, member, prepared, result); failure != 0) return failure;
    writeBack(prepared, member);
    return 0;
}

}  // namespace automation
}  // namespace tessaly
