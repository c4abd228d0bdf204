#include "runtime/core/automation/variant_conversion.h"

#include <cstring>
#include <vector>

#include "runtime/core/automation/automation_commands.h"
#include "runtime/core/memory.h"
#include "runtime/core/text_encoding.h"
#include "runtime/core/value_blocks.h"

namespace tessaly::automation {

static_assert(sizeof(VARIANT) == VariantBlockSize);

// Texts are GBK whatever the system's ANSI code page: an automation object
// gets the characters they stand for.
Bstr toBstr(const char* ansi)
{
    const char* text = ansi == nullptr ? "" : ansi;
    const int length = MultiByteToWideChar(GbkCodePage, 0, text, -1, nullptr, 0);
    Bstr wide(SysAllocStringLen(nullptr, static_cast<UINT>(length > 0 ? length - 1 : 0)));
    if (length > 1) MultiByteToWideChar(GbkCodePage, 0, text, -1, wide.get(), length);
    return wide;
}

char* toResultText(const wchar_t* wide, int length)
{
    if (wide == nullptr || length <= 0) return nullptr;
    const int bytes = WideCharToMultiByte(GbkCodePage, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return nullptr;
    std::vector<char> ansi(static_cast<size_t>(bytes));
    WideCharToMultiByte(GbkCodePage, 0, wide, length, ansi.data(), bytes, nullptr, nullptr);
    return makeResultText(ansi.data(), bytes);
}

namespace {

template <class T>
T payloadAs(uint64_t bits)
{
    T value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void* pointerOf(uint64_t bits) { return reinterpret_cast<void*>(static_cast<uintptr_t>(bits)); }

// Automation element type of an array of the given type; VT_EMPTY when none.
VARTYPE elementVarType(uint32_t type)
{
    switch (withoutArgumentFlag(type)) {
    case TypeCode::Byte: return VT_UI1;
    case TypeCode::Short: return VT_I2;
    case TypeCode::Int:
    case TypeCode::Long: return VT_I4;
    case TypeCode::Float: return VT_R4;
    case TypeCode::Double: return VT_R8;
    case TypeCode::Bool: return VT_BOOL;
    case TypeCode::DateTime: return VT_DATE;
    case TypeCode::Text: return VT_BSTR;
    case TypeCode::ComObject: return VT_UNKNOWN;
    case TypeCode::Variant: return VT_VARIANT;
    default: return VT_EMPTY;
    }
}

uint64_t elementBits(const std::byte* element, int width)
{
    uint64_t bits = 0;
    std::memcpy(&bits, element, static_cast<size_t>(width));
    return bits;
}

}  // namespace

bool scalarToVariant(uint32_t type, uint64_t bits, VARIANT& out)
{
    VariantInit(&out);
    switch (withoutArgumentFlag(type)) {
    case TypeCode::ComObject: {
        const auto* block = static_cast<const ObjectBlock*>(pointerOf(bits));
        auto* unknown = block == nullptr ? nullptr : static_cast<IUnknown*>(block->unknown);
        if (unknown != nullptr) unknown->AddRef();
        out.vt = VT_UNKNOWN;
        out.punkVal = unknown;
        return true;
    }
    case TypeCode::Variant: {
        auto* source = static_cast<VARIANT*>(pointerOf(bits));
        return source == nullptr || SUCCEEDED(VariantCopyInd(&out, source));
    }
    case TypeCode::Bool:
        out.vt = VT_BOOL;
        out.boolVal = static_cast<uint32_t>(bits) != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        return true;
    case TypeCode::DateTime:
        out.vt = VT_DATE;
        out.date = payloadAs<double>(bits);
        return true;
    case TypeCode::Text:
        out.vt = VT_BSTR;
        out.bstrVal = toBstr(static_cast<const char*>(pointerOf(bits))).detach();
        return true;
    case TypeCode::Byte:
        out.vt = VT_UI1;
        out.bVal = static_cast<uint8_t>(bits);
        return true;
    case TypeCode::Short:
        out.vt = VT_I2;
        out.iVal = static_cast<int16_t>(bits);
        return true;
    case TypeCode::Int:
    case TypeCode::Long:  // keeps its low word
        out.vt = VT_I4;
        out.lVal = static_cast<int32_t>(bits);
        return true;
    case TypeCode::Float:
        out.vt = VT_R4;
        out.fltVal = payloadAs<float>(bits);
        return true;
    case TypeCode::Double:
        out.vt = VT_R8;
        out.dblVal = payloadAs<double>(bits);
        return true;
    default: return false;
    }
}

TypedValue readVariable(const TypedValue& argument)
{
    const uint32_t type = argument.baseType();
    TypedValue plain{0, 0, type};
    const void* variable = argument.pointer();
    if (variable == nullptr) return plain;
    int width = numericWidth(type);
    if (width == 0) width = arrayElementWidth(type);
    uint64_t bits = 0;
    std::memcpy(&bits, variable, static_cast<size_t>(width));
    plain.low = static_cast<uint32_t>(bits);
    plain.high = static_cast<uint32_t>(bits >> 32);
    return plain;
}

SAFEARRAY* arrayToSafeArray(uint32_t elementType, void* arrayBlock)
{
    const VARTYPE vt = elementVarType(elementType);
    if (vt == VT_EMPTY) return nullptr;
    const ArrayView view = arrayElements(arrayBlock);
    SafeArrayOwner array(SafeArrayCreateVector(vt, 0, static_cast<ULONG>(view.count)));
    if (array.get() == nullptr) return nullptr;
    const int width = arrayElementWidth(elementType);
    for (LONG i = 0; i < view.count; ++i) {
        VariantOwner element;
        if (!scalarToVariant(elementType, elementBits(view.first + i * width, width), element.v)) return nullptr;
        void* data = &element.v;  // VT_VARIANT elements take the VARIANT itself
        if (vt == VT_BSTR || vt == VT_UNKNOWN) data = element.v.byref;  // interfaces and strings by value
        else if (vt != VT_VARIANT) data = &element.v.lVal;
        if (FAILED(SafeArrayPutElement(array.get(), &i, data))) return nullptr;
    }
    return array.detach();
}

SAFEARRAY* byteSetToSafeArray(const void* byteSet)
{
    const auto bytes = byteSetBytes(byteSet);
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (array == nullptr || bytes.empty()) return array;
    void* data = nullptr;
    if (SUCCEEDED(SafeArrayAccessData(array, &data))) {
        std::memcpy(data, bytes.data(), bytes.size());
        SafeArrayUnaccessData(array);
    }
    return array;
}

bool writeVariable(uint32_t type, void* variable, const VARIANT& value)
{
    type = withoutArgumentFlag(type);
    switch (type) {
    case TypeCode::Text: {
        char* text = nullptr;
        if (!variantToText(value, text)) return false;
        auto** slot = static_cast<char**>(variable);
        release(*slot);
        *slot = text;
        return true;
    }
    case TypeCode::ComObject: {
        IUnknown* unknown = nullptr;
        if (!variantToInterface(value, unknown)) return false;
        auto* block = *static_cast<ObjectBlock**>(variable);
        if (block == nullptr) {
            if (unknown != nullptr) unknown->Release();
            return false;
        }
        clearObjectBlock(block);
        block->unknown = unknown;
        return true;
    }
    case TypeCode::Variant: {
        auto* target = *static_cast<VARIANT**>(variable);
        if (target == nullptr) return false;
        VariantClear(target);
        return SUCCEEDED(VariantCopyInd(target, const_cast<VARIANT*>(&value)));
    }
    default: break;
    }
    const VARTYPE vt = elementVarType(type);
    if (vt == VT_EMPTY || vt == VT_BSTR || vt == VT_VARIANT || vt == VT_UNKNOWN) return false;
    VariantOwner converted;
    if (FAILED(VariantChangeType(&converted.v, const_cast<VARIANT*>(&value), 0, vt))) return false;
    switch (type) {
    case TypeCode::Bool: *static_cast<int32_t*>(variable) = converted.v.boolVal != VARIANT_FALSE ? 1 : 0; break;
    case TypeCode::Long: *static_cast<int64_t*>(variable) = converted.v.lVal; break;
    case TypeCode::DateTime: *static_cast<double*>(variable) = converted.v.date; break;
    default: std::memcpy(variable, &converted.v.lVal, static_cast<size_t>(numericWidth(type))); break;
    }
    return true;
}

bool variantToText(const VARIANT& value, char*& text)
{
    text = nullptr;
    if (value.vt == VT_BSTR) {
        text = toResultText(value.bstrVal, static_cast<int>(SysStringLen(value.bstrVal)));
        return true;
    }
    VariantOwner converted;
    if (FAILED(VariantChangeType(&converted.v, const_cast<VARIANT*>(&value), 0, VT_BSTR))) return false;
    text = toResultText(converted.v.bstrVal, static_cast<int>(SysStringLen(converted.v.bstrVal)));
    return true;
}

bool variantToDouble(const VARIANT& value, double& number)
{
    VariantOwner converted;
    if (FAILED(VariantChangeType(&converted.v, const_cast<VARIANT*>(&value), 0, VT_R8))) return false;
    number = converted.v.dblVal;
    return true;
}

bool variantToInterface(const VARIANT& value, IUnknown*& unknown)
{
    unknown = nullptr;
    VariantOwner converted;
    if (value.vt == VT_UNKNOWN || value.vt == VT_DISPATCH) {
        unknown = value.punkVal;
    } else {
        if (FAILED(VariantChangeType(&converted.v, const_cast<VARIANT*>(&value), 0, VT_UNKNOWN))) return false;
        unknown = converted.v.punkVal;
    }
    if (unknown != nullptr) unknown->AddRef();
    return true;
}

void clearObjectBlock(void* block)
{
    auto* object = static_cast<ObjectBlock*>(block);
    if (object == nullptr) return;
    if (object->unknown != nullptr) static_cast<IUnknown*>(object->unknown)->Release();
    object->unknown = nullptr;
}

void* newObjectBlock(IUnknown* unknown)
{
    auto* block = static_cast<ObjectBlock*>(allocate(sizeof(ObjectBlock)));
    block->unknown = unknown;
    block->auxiliary = nullptr;
    return block;
}

void* newVariantBlock()
{
    void* block = allocate(VariantBlockSize);
    std::memset(block, 0, VariantBlockSize);
    return block;
}

}  // namespace tessaly::automation
