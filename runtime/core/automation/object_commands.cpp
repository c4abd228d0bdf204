// Automation objects: creation by class name, clearing, copying, and the
// member-access commands with their result conversions.
#include <cstring>

#include "runtime/core/automation/automation_commands.h"
#include "runtime/core/automation/member_access.h"
#include "runtime/core/automation/variant_conversion.h"

namespace tessaly {
namespace {

using namespace automation;

// A class found in a type library file; null when any step fails.
IUnknown* createFromTypeLibrary(const char* className, const char* file)
{
    const Bstr path = toBstr(file);
    ComPtr<ITypeLib> library;
    if (FAILED(LoadTypeLib(path.get(), library.out()))) return nullptr;
    Bstr name = toBstr(className);
    ITypeInfo* found[2] = {};
    MEMBERID ids[2] = {};
    USHORT wanted = 2;
    if (FAILED(library->FindName(name.get(), 0, found, ids, &wanted))) return nullptr;
    ComPtr<ITypeInfo> first = ComPtr<ITypeInfo>::adopt(wanted >= 1 ? found[0] : nullptr);
    ComPtr<ITypeInfo> second = ComPtr<ITypeInfo>::adopt(wanted >= 2 ? found[1] : nullptr);
    if (wanted != 1) return nullptr;
    IUnknown* instance = nullptr;
    if (FAILED(first->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&instance)))) return nullptr;
    if (std::strchr(file, '\\') != nullptr) RegisterTypeLib(library.get(), path.get(), nullptr);
    return instance;
}

IUnknown* createFromClass(const char* className)
{
    const Bstr name = toBstr(className);
    CLSID classId{};
    const HRESULT converted =
        className[0] == '{' ? CLSIDFromString(name.get(), &classId) : CLSIDFromProgID(name.get(), &classId);
    if (FAILED(converted)) return nullptr;
    IUnknown* instance = nullptr;
    constexpr DWORD anyServer = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
    HRESULT hr = CoCreateInstance(classId, nullptr, anyServer, IID_IUnknown, reinterpret_cast<void**>(&instance));
    if (hr == E_INVALIDARG)
        hr = CoCreateInstance(classId, nullptr, anyServer & ~CLSCTX_REMOTE_SERVER, IID_IUnknown,
                              reinterpret_cast<void**>(&instance));
    return SUCCEEDED(hr) ? instance : nullptr;
}

void setPointerResult(TypedValue* result, void* block, uint32_t type) { *result = TypedValue::ofPointer(block, type); }

// Runs the member access and records its outcome; `result` is filled by the caller.
int32_t access(AccessKind kind, int32_t count, const TypedValue* arguments, VariantOwner& value)
{
    const int32_t outcome = accessMember(kind, count, arguments, value.v);
    setLastAutomationError(outcome);
    return outcome;
}

void textResult(AccessKind kind, TypedValue* result, int32_t count, TypedValue* arguments)
{
    result->type = TypeCode::Text;
    VariantOwner value;
    if (access(kind, count, arguments, value) != 0) return;
    char* text = nullptr;
    if (!variantToText(value.v, text)) {
        setLastAutomationError(static_cast<int32_t>(AutomationError::ResultNotConvertible));
        return;
    }
    setPointerResult(result, text, TypeCode::Text);
}

void objectResult(AccessKind kind, TypedValue* result, int32_t count, TypedValue* arguments)
{
    VariantOwner value;
    IUnknown* unknown = nullptr;
    if (access(kind, count, arguments, value) == 0 && !variantToInterface(value.v, unknown))
        setLastAutomationError(static_cast<int32_t>(AutomationError::ResultNotConvertible));
    setPointerResult(result, newObjectBlock(unknown), TypeCode::ComObject);
}

}  // namespace

namespace commands {

void ObjectClear(TypedValue*, int32_t count, TypedValue* arguments)
{
    if (count >= 1) clearObjectBlock(arguments[0].pointer());
}

void ObjectCreate(TypedValue* result, int32_t count, TypedValue* arguments)
{
    if (count < 2) return;
    auto* target = arguments[0].pointer<ObjectBlock>();
    const char* className = arguments[1].text();
    if (target == nullptr || className == nullptr) return;
    IUnknown* instance = nullptr;
    if (className[0] != '{' && count >= 3 && arguments[2].given())
        instance = createFromTypeLibrary(className, arguments[2].text());
    if (instance == nullptr) instance = createFromClass(className);
    if (instance == nullptr) return;
    if (FAILED(OleRun(instance))) {
        instance->Release();
        return;
    }
    clearObjectBlock(target);
    target->unknown = instance;
    *result = TypedValue::ofBool(true);
}

void ObjectCopy(TypedValue*, int32_t count, TypedValue* arguments)
{
    if (count < 2) return;
    auto* target = arguments[0].pointer<ObjectBlock>();
    const auto* source = arguments[1].pointer<ObjectBlock>();
    if (target == nullptr) return;
    // The program clears the target first; what it held is not released here.
    target->unknown = nullptr;
    target->auxiliary = nullptr;
    if (source == nullptr || source->unknown == nullptr) return;
    target->unknown = source->unknown;
    static_cast<IUnknown*>(target->unknown)->AddRef();
}

void ObjectIsEmpty(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const auto* object = count >= 1 ? arguments[0].pointer<ObjectBlock>() : nullptr;
    *result = TypedValue::ofBool(object == nullptr || object->unknown == nullptr);
}

void ObjectWriteProperty(TypedValue* result, int32_t count, TypedValue* arguments)
{
    VariantOwner ignored;
    *result = TypedValue::ofBool(access(AccessKind::Write, count, arguments, ignored) == 0);
}

void ObjectReadText(TypedValue* result, int32_t count, TypedValue* arguments)
{
    textResult(AccessKind::Read, result, count, arguments);
}

void ObjectCallForText(TypedValue* result, int32_t count, TypedValue* arguments)
{
    textResult(AccessKind::Call, result, count, arguments);
}

void ObjectReadNumber(TypedValue* result, int32_t count, TypedValue* arguments)
{
    result->type = TypeCode::Double;
    VariantOwner value;
    if (access(AccessKind::Read, count, arguments, value) != 0) return;
    double number = 0;
    if (!variantToDouble(value.v, number)) {
        setLastAutomationError(static_cast<int32_t>(AutomationError::ResultNotConvertible));
        return;
    }
    *result = TypedValue::ofDouble(number);
}

void ObjectReadObject(TypedValue* result, int32_t count, TypedValue* arguments)
{
    objectResult(AccessKind::Read, result, count, arguments);
}

void ObjectCallForObject(TypedValue* result, int32_t count, TypedValue* arguments)
{
    objectResult(AccessKind::Call, result, count, arguments);
}

void ObjectReadVariant(TypedValue* result, int32_t count, TypedValue* arguments)
{
    VariantOwner value;
    void* block = newVariantBlock();
    if (access(AccessKind::Read, count, arguments, value) == 0 &&
        FAILED(::VariantCopy(static_cast<VARIANT*>(block), &value.v)))
        setLastAutomationError(static_cast<int32_t>(AutomationError::ResultNotConvertible));
    setPointerResult(result, block, TypeCode::Variant);
}

}  // namespace commands
}  // namespace tessaly
