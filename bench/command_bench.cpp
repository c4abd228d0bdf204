// Times the text commands over inputs from 1 KB to 64 MB and prints the time
// per byte for each size: a linear command keeps that figure flat. FindText
// is also held against memmem over the same bytes in the same run.
// Run by hand (not a ctest test): command_bench [largest size in MB]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <time.h>

#include "runtime/core/commands/commands.h"
#include "runtime/core/memory.h"
#include "runtime/core/value_blocks.h"

namespace {

using namespace tessaly;
// Processor time of this process, kernel time included: the build machines
// are shared, so wall-clock time would measure the neighbours too. (<chrono>
// cannot be compiled with GBK as the execution character set.)
double nowNanoseconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

// Caption-like text: double-byte words, ASCII words, commas and digits.
std::string captionText(size_t size, const std::string& ending)
{
    static const char* const words[] = {"字幕", "caption", "第", "12", "行,", "中文", "Line", "提示,", "the", "文本 "};
    std::string text;
    text.reserve(size + 16);
    for (size_t i = 0; text.size() + ending.size() < size; ++i) text += words[(i * 7 + i / 3) % 10];
    text.resize(size - ending.size());
    // Never end in the middle of a double-byte character.
    size_t walk = 0;
    while (walk < text.size()) walk += (static_cast<unsigned char>(text[walk]) & 0x80) ? 2 : 1;
    if (walk > text.size()) text.back() = ' ';
    return text + ending;
}

std::string digitRun(size_t size)
{
    std::string text(size, '0');
    for (size_t i = 0; i < size; ++i) text[i] = static_cast<char>('0' + i % 10);
    return text;
}

TypedValue textValue(const std::string& s) { return TypedValue::ofPointer(s.c_str(), TypeCode::Text); }

void releaseTextArray(const TypedValue& result)
{
    void* block = result.pointer();
    const ArrayView elements = arrayElements(block);
    for (int64_t i = 0; i < elements.count; ++i) {
        void* element;
        std::memcpy(&element, elements.first + i * sizeof(void*), sizeof element);
        release(element);
    }
    release(block);
}

// Nanoseconds per byte, the best of several timed batches.
double nanosecondsPerByte(size_t bytes, const std::function<void()>& run)
{
    run();  // warm up
    double best = 1e300;
    for (int batch = 0; batch < 3; ++batch) {
        int iterations = 0;
        const double start = nowNanoseconds();
        double elapsed = 0;
        do {
            run();
            ++iterations;
            elapsed = nowNanoseconds() - start;
        } while (elapsed < 2e7);
        best = std::min(best, elapsed / iterations / static_cast<double>(bytes));
    }
    return best;
}

volatile int64_t sink;

}  // namespace

int main(int argc, char** argv)
{
    const size_t largest = (argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 64) << 20;
    std::printf("%10s %10s %10s %7s %10s %10s %10s %10s\n", "bytes", "FindText", "memmem", "ratio", "FindCase",
                "Replace", "SplitText", "ToInteger");
    std::printf("%10s %10s %10s %7s %10s %10s %10s %10s\n", "", "ns/B", "ns/B", "", "ns/B", "ns/B", "ns/B", "ns/B");
    const std::string needle = "终点标记END";
    for (size_t size = 1024; size <= largest; size *= 4) {
        const std::string text = captionText(size, needle);
        const std::string digits = digitRun(size);
        TypedValue find[] = {textValue(text), textValue(needle)};
        TypedValue findIgnoringCase[] = {textValue(text), textValue(needle), TypedValue::omitted(), TypedValue::ofBool(true)};
        const std::string sought = "CAPTION", with = "subtitle";
        TypedValue replace[] = {textValue(text), textValue(sought), textValue(with)};
        const std::string comma = ",";
        TypedValue split[] = {textValue(text), textValue(comma)};
        TypedValue number[] = {textValue(digits)};

        TypedValue result{};
        const double findText = nanosecondsPerByte(size, [&] {
            result = {};
            commands::FindText(&result, 2, find);
            sink = result.asInt();
        });
        if (result.asInt() != static_cast<int32_t>(text.size() - needle.size() + 1)) std::printf("FindText missed\n");
        const double plain = nanosecondsPerByte(size, [&] {
            sink = reinterpret_cast<intptr_t>(memmem(text.data(), text.size(), needle.data(), needle.size()));
        });
        const double findCase = nanosecondsPerByte(size, [&] {
            result = {};
            commands::FindText(&result, 4, findIgnoringCase);
            sink = result.asInt();
        });
        const double replaced = nanosecondsPerByte(size, [&] {
            result = {};
            commands::ReplaceSubtext(&result, 3, replace);
            release(result.pointer());
        });
        const double splitted = nanosecondsPerByte(size, [&] {
            result = {};
            commands::SplitText(&result, 2, split);
            releaseTextArray(result);
        });
        const double integer = nanosecondsPerByte(size, [&] {
            result = {};
            commands::ToInteger(&result, 1, number);
            sink = result.asInt();
        });
        std::printf("%10zu %10.3f %10.3f %7.2f %10.3f %10.3f %10.3f %10.3f\n", size, findText, plain, findText / plain,
                    findCase, replaced, splitted, integer);
        std::fflush(stdout);
    }
    return 0;
}
