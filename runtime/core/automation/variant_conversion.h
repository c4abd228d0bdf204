// Conversions between the program's typed values and OLE VARIANTs: the base
// types to automation mapping, arrays to one-dimensional safe arrays, and
// VARIANTs back into texts, numbers and object blocks.
#pragma once

#include "runtime/core/automation/com_owners.h"
#include "runtime/core/typed_value.h"

namespace tessaly::automation {

// A value of the given type read from its payload bits (`value` is never a
// by-reference record here). False when the type has no automation form.
bool scalarToVariant(uint32_t type, uint64_t bits, VARIANT& out);

// The value a by-reference argument's variable holds, as a plain record.
TypedValue readVariable(const TypedValue& argument);

// An array block of the given element type as a one-dimensional safe array.
SAFEARRAY* arrayToSafeArray(uint32_t elementType, void* arrayBlock);
// A byte-set as a one-dimensional safe array of bytes (an empty one for null).
SAFEARRAY* byteSetToSafeArray(const void* byteSet);

// Stores a VARIANT into the caller's variable of the given type (the
// write-back of a by-reference argument). False when it does not convert.
bool writeVariable(uint32_t type, void* variable, const VARIANT& value);

// Result conversions; false when the VARIANT does not convert.
bool variantToText(const VARIANT& value, char*& text);
bool variantToDouble(const VARIANT& value, double& number);
bool variantToInterface(const VARIANT& value, IUnknown*& unknown);

// Releases the interface an object block holds and empties it.
void clearObjectBlock(void* block);
void* newObjectBlock(IUnknown* unknown);
void* newVariantBlock();

}  // namespace tessaly::automation
