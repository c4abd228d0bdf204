// Lets a test see what a unit shows on a Windows whose ANSI code page is not
// 936: while a WesternAnsiFonts lives, this program's own calls of
// CreateFontIndirectA (through its import table) read the face name as code
// page 1252 text, as such a system does. Text the runtime shows goes through
// code page 936 and the W calls, so it must read the same either way.
#pragma once

#include <windows.h>

#include <cstring>

namespace tessaly::ui::testing {

class WesternAnsiFonts {
public:
    WesternAnsiFonts() : slot_(importSlot("gdi32.dll", "CreateFontIndirectA"))
    {
        if (slot_ != nullptr) original_ = exchange(reinterpret_cast<void*>(&createWestern));
    }
    ~WesternAnsiFonts()
    {
        if (slot_ != nullptr) exchange(original_);
    }
    WesternAnsiFonts(const WesternAnsiFonts&) = delete;
    WesternAnsiFonts& operator=(const WesternAnsiFonts&) = delete;

private:
    static HFONT WINAPI createWestern(const LOGFONTA* narrow)
    {
        LOGFONTW wide{};
        std::memcpy(&wide, narrow, offsetof(LOGFONTA, lfFaceName));
        MultiByteToWideChar(1252, 0, narrow->lfFaceName, -1, wide.lfFaceName, LF_FACESIZE);
        wide.lfFaceName[LF_FACESIZE - 1] = 0;
        return CreateFontIndirectW(&wide);
    }

    // The import table entry of the executable for one function, if it imports it.
    static void** importSlot(const char* library, const char* function)
    {
        auto* base = reinterpret_cast<uint8_t*>(GetModuleHandleW(nullptr));
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        if (imports.VirtualAddress == 0) return nullptr;
        for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             entry->Name != 0; ++entry) {
            if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), library) != 0) continue;
            const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
            for (; names->u1.AddressOfData != 0; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
                const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                    return reinterpret_cast<void**>(&slots->u1.Function);
            }
        }
        return nullptr;
    }

    void* exchange(void* replacement)
    {
        DWORD protection = 0;
        VirtualProtect(slot_, sizeof(void*), PAGE_READWRITE, &protection);
        void* previous = *slot_;
        *slot_ = replacement;
        VirtualProtect(slot_, sizeof(void*), protection, &protection);
        return previous;
    }

    void** slot_;
    void* original_ = nullptr;
};

}  // namespace tessaly::ui::testing
