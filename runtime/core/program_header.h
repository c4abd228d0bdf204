// The records through which a compiled program describes itself to the
// runtime: its header and the records of the command libraries it links.
// Word order follows the original 32-bit layout; words that held addresses
// are pointer-wide here.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/core/typed_value.h"

namespace tessaly {

// (result, argument count, first argument); the caller removes the arguments.
using CommandEntry = void (*)(TypedValue* result, int32_t count, TypedValue* arguments);
// (code, value 1, value 2) -> result.
using NotifyEntry = intptr_t (*)(int32_t code, intptr_t value1, intptr_t value2);
using StartRoutine = void (*)();

// What an event routine answers: a value, and whether it returned one at all
// (a routine that returns nothing leaves the message's default handling alone).
struct RoutineResult {
    int32_t value = 0;
    int32_t returned = 0;
};
static_assert(sizeof(RoutineResult) == 8, "returned in one register");

// Event routines take up to five pointer-wide arguments.
using RoutineEntry = RoutineResult (*)(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t);

struct DataTypeRecord;  // described by the window layer

inline constexpr uint32_t LibraryFormatMark = 20000101;

struct LibraryInfo {
    uint32_t formatMark = LibraryFormatMark;  // word 0
    const char* identifier = nullptr;         // word 1: 32 hexadecimal digits
    uint32_t version[7] = {};                 // words 2-8
    const char* displayName = nullptr;        // word 9
    uint32_t one = 1;                         // word 10
    uint32_t zero11 = 0;                      // word 11
    uint32_t flags = 0;                       // word 12
    uint32_t zero13to20[8] = {};              // words 13-20
    uint32_t dataTypeCount = 0;               // word 21
    const DataTypeRecord* dataTypes = nullptr;  // word 22
    uint32_t zero23to24[2] = {};              // words 23, 24
    uint32_t commandCount = 0;                // word 25
    uint32_t zero26 = 0;                      // word 26
    const CommandEntry* commands = nullptr;   // word 27
    uint32_t zero28to29[2] = {};              // words 28, 29
    NotifyEntry notify = nullptr;             // word 30
    uint32_t zero31to35[5] = {};              // words 31-35
};

struct ProgramHeader {
    uint32_t mode;                           // 0: 3 for a stand-alone program
    uint32_t reserved;                       // 4
    uint32_t highestIdentifier;              // 8
    StartRoutine startRoutine;               // 12: also the code base of event routines
    const void* constantData;                // 16
    uint32_t constantDataSize;               // 20
    const void* windowTemplates;             // 24
    uint32_t windowTemplateSize;             // 28
    uint32_t libraryCount;                   // 32
    const LibraryInfo* const* libraries;     // 36
    uint32_t dllCommandCount;                // 40
    const char* const* dllLibraryNames;      // 44
    const char* const* dllExportNames;       // 48
};

// The program image provides these: its header and its entry routine.
extern "C" const ProgramHeader* programHeader();
extern "C" int programEntry();

}  // namespace tessaly
