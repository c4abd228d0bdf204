// The caption tool run in the process of a program that carries its header,
// templates and routines (a benchmark, the soak): the files beside that
// program, its units' handles, and the runtime's loop run until idle time.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

#include "app/unit_calls.h"
#include "bench/caption_set.h"
#include "runtime/core/runtime_app.h"

namespace tessaly::bench {

inline std::string programDirectory()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full = path;
    return full.substr(0, full.rfind('\\'));
}

inline void writeFile(const std::string& path, const std::string& text)
{
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
}

// The caption files of the first n caption samples, beside this program.
inline int writeCaptionFiles(int32_t n)
{
    writeFile(programDirectory() + "\\字幕.ini", captionsText(n));
    writeFile(programDirectory() + "\\配置.ini", configurationText(n));
    return 0;
}

inline HWND handleOf(program::UnitRef unit)
{
    return reinterpret_cast<HWND>(static_cast<intptr_t>(program::windowHandle(unit)));
}

// Runs the runtime's message loop until it reaches idle time.
class IdleWait {
public:
    explicit IdleWait(HWND window)
    {
        RuntimeApp::instance().addIdleCallback({window, &IdleWait::reached, reinterpret_cast<intptr_t>(this)});
    }
    void run()
    {
        running_ = true;
        RuntimeApp::instance().runModalLoop(running_);
    }

private:
    static void reached(intptr_t self) { reinterpret_cast<IdleWait*>(self)->running_ = false; }
    bool running_ = false;
};

}  // namespace tessaly::bench
