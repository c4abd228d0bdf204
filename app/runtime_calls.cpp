#include "app/runtime_calls.h"

#include "runtime/core/value_blocks.h"

namespace tessaly::program {

std::string takeText(const TypedValue& result)
{
    char* value = result.pointer<char>();
    std::string copy = value == nullptr ? std::string{} : std::string{value};
    freeBlock(value);
    return copy;
}

std::string takeByteSet(const TypedValue& result)
{
    void* block = result.pointer();
    const auto bytes = byteSetBytes(block);
    std::string copy = bytes.empty() ? std::string{} : std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    freeBlock(block);
    return copy;
}

std::vector<std::string> takeTextArray(const TypedValue& result)
{
    void* block = result.pointer();
    std::vector<std::string> texts;
    if (block == nullptr) return texts;
    const ArrayView elements = arrayElements(block);
    auto** items = reinterpret_cast<char**>(elements.first);
    texts.reserve(static_cast<size_t>(elements.count));
    for (int64_t i = 0; i < elements.count; ++i) {
        texts.emplace_back(items[i] == nullptr ? "" : items[i]);
        freeBlock(items[i]);
    }
    freeBlock(block);
    return texts;
}

std::vector<int32_t> takeIntArray(const TypedValue& result)
{
    void* block = result.pointer();
    std::vector<int32_t> numbers;
    if (block == nullptr) return numbers;
    const ArrayView elements = arrayElements(block);
    numbers.resize(static_cast<size_t>(elements.count));
    std::memcpy(numbers.data(), elements.first, numbers.size() * sizeof(int32_t));
    freeBlock(block);
    return numbers;
}

}  // namespace tessaly::program
