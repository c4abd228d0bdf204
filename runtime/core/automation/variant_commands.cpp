// Variants held by the program: assignment from typed values (whole or one
// array element), conversion to text, copying and clearing.
#include <cstring>
#include <vector>

#include "runtime/core/automation/automation_commands.h"
#include "runtime/core/automation/variant_conversion.h"

namespace tessaly {
namespace {

using namespace automation;

VARIANT* variantArgument(int32_t count, TypedValue* arguments, int32_t index)
{
    return count > index ? arguments[index].pointer<VARIANT>() : nullptr;
}

// The 1-based element index over all elements, split into one index per
// dimension with the first dimension varying fastest. Empty when out of range.
std::vector<LONG> elementIndices(SAFEARRAY* array, int32_t position)
{
    const UINT dimensions = SafeArrayGetDim(array);
    if (position < 1 || dimensions == 0) return {};
    int64_t rest = position - 1;
    std::vector<LONG> indices;
    for (UINT d = 1; d <= dimensions; ++d) {
        LONG lower = 0;
        LONG upper = -1;
        SafeArrayGetLBound(array, d, &lower);
        SafeArrayGetUBound(array, d, &upper);
        const int64_t size = static_cast<int64_t>(upper) - lower + 1;
        if (size <= 0) return {};
        indices.push_back(static_cast<LONG>(lower + rest % size));
        rest /= size;
    }
    if (rest != 0) return {};
    return indices;
}

SAFEARRAY* arrayOf(VARIANT& variant)
{
    if ((variant.vt & VT_ARRAY) == 0) return nullptr;
    return (variant.vt & VT_BYREF) != 0 ? (variant.pparray == nullptr ? nullptr : *variant.pparray) : variant.parray;
}

// The element as a VARIANT of the array's element type.
bool fetchElement(SAFEARRAY* array, VARTYPE elementType, std::vector<LONG>& indices, VARIANT& element)
{
    VariantInit(&element);
    if (elementType == VT_VARIANT) return SUCCEEDED(SafeArrayGetElement(array, indices.data(), &element));
    element.vt = elementType;
    return SUCCEEDED(SafeArrayGetElement(array, indices.data(), &element.lVal));
}

// A typed value as a whole VARIANT: scalars, byte-sets and arrays.
bool valueToVariant(const TypedValue& value, VARIANT& out)
{
    VariantInit(&out);
    if (hasArgumentFlag(value.type)) {
        SAFEARRAY* array = arrayToSafeArray(value.baseType(), value.pointer());
        if (array == nullptr) return false;
        VARTYPE elementType = VT_EMPTY;
        SafeArrayGetVartype(array, &elementType);
        out.vt = static_cast<VARTYPE>(VT_ARRAY | elementType);
        out.parray = array;
        return true;
    }
    if (value.baseType() == TypeCode::Bytes) {
        out.vt = VT_ARRAY | VT_UI1;
        out.parray = byteSetToSafeArray(value.pointer());
        return out.parray != nullptr;
    }
    if (value.baseType() == TypeCode::ComObject) {
        // The object is asked for its IUnknown, not merely copied.
        const auto* block = value.pointer<ObjectBlock>();
        auto* object = block == nullptr ? nullptr : static_cast<IUnknown*>(block->unknown);
        out.vt = VT_UNKNOWN;
        return object == nullptr ||
               SUCCEEDED(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&out.punkVal)));
    }
    return scalarToVariant(value.type, value.bits64(), out);
}

bool storeElement(VARIANT& target, const TypedValue& value, int32_t position)
{
    SAFEARRAY* array = arrayOf(target);
    if (array == nullptr) return false;
    std::vector<LONG> indices = elementIndices(array, position);
    VARTYPE elementType = VT_EMPTY;
    if (indices.empty() || FAILED(SafeArrayGetVartype(array, &elementType))) return false;
    VariantOwner source;
    if (!valueToVariant(value, source.v)) return false;
    if (elementType == VT_VARIANT) return SUCCEEDED(SafeArrayPutElement(array, indices.data(), &source.v));
    VariantOwner converted;
    if (FAILED(VariantChangeType(&converted.v, &source.v, 0, elementType))) return false;
    const bool byPointerValue = elementType == VT_BSTR || elementType == VT_UNKNOWN || elementType == VT_DISPATCH;
    void* data = byPointerValue ? converted.v.byref : &converted.v.lVal;
    return SUCCEEDED(SafeArrayPutElement(array, indices.data(), data));
}

}  // namespace

namespace commands {

void VariantAssign(TypedValue* result, int32_t count, TypedValue* arguments)
{
    VARIANT* target = variantArgument(count, arguments, 0);
    if (target == nullptr || count < 2) return;
    if (count >= 3 && arguments[2].given()) {
        *result = TypedValue::ofBool(storeElement(*target, arguments[1], arguments[2].asInt()));
        return;
    }
    ::VariantClear(target);
    VariantOwner value;
    if (!valueToVariant(arguments[1], value.v)) return;
    *target = value.v;
    VariantInit(&value.v);  // ownership moved into the program's block
    *result = TypedValue::ofBool(true);
}

void VariantToText(TypedValue* result, int32_t count, TypedValue* arguments)
{
    VARIANT* source = variantArgument(count, arguments, 0);
    if (source == nullptr) return;
    char* text = nullptr;
    if ((source->vt & VT_ARRAY) == 0) {
        if (variantToText(*source, text)) *result = TypedValue::ofPointer(text, TypeCode::Text);
        return;
    }
    if (count < 2 || !arguments[1].given()) return;
    SAFEARRAY* array = arrayOf(*source);
    VARTYPE elementType = VT_EMPTY;
    if (array == nullptr || FAILED(SafeArrayGetVartype(array, &elementType))) return;
    std::vector<LONG> indices = elementIndices(array, arguments[1].asInt());
    VariantOwner element;
    if (indices.empty() || !fetchElement(array, elementType, indices, element.v)) return;
    if (variantToText(element.v, text)) *result = TypedValue::ofPointer(text, TypeCode::Text);
}

void VariantCopy(TypedValue*, int32_t count, TypedValue* arguments)
{
    VARIANT* target = variantArgument(count, arguments, 0);
    VARIANT* source = variantArgument(count, arguments, 1);
    if (target == nullptr) return;
    std::memset(target, 0, sizeof(VARIANT));
    if (source != nullptr) ::VariantCopy(target, source);
}

void VariantClear(TypedValue*, int32_t count, TypedValue* arguments)
{
    VARIANT* variant = variantArgument(count, arguments, 0);
    if (variant == nullptr) return;
    ::VariantClear(variant);
    std::memset(variant, 0, sizeof(VARIANT));
}

}  // namespace commands
}  // namespace tessaly
