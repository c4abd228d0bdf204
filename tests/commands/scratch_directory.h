// A fresh directory under the system's temporary directory, removed with
// everything in it when the test ends.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace tessaly::testing {

class ScratchDirectory {
public:
    ScratchDirectory()
    {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        static int serial = 0;
        char name[64];
        std::snprintf(name, sizeof name, "tessaly-%lu-%d", static_cast<unsigned long>(GetCurrentProcessId()), ++serial);
        path_ = std::string(base) + name;
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchDirectory() { removeTree(path_); }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    std::string file(const std::string& name) const { return path_ + "\\" + name; }
    const std::string& path() const { return path_; }

    // How many entries the directory holds, for spotting leftovers.
    int fileCount() const
    {
        int n = 0;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return 0;
        do {
            if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..") ++n;
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return n;
    }

private:
    static void removeTree(const std::string& directory)
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..") continue;
                const std::string full = directory + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    removeTree(full);
                else
                    DeleteFileA(full.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(directory.c_str());
    }

    std::string path_;
};

// Whole-file helpers that do not go through the commands under test.
inline void writeFile(const std::string& name, const std::string& bytes)
{
    if (FILE* f = std::fopen(name.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

inline std::string readFile(const std::string& name)
{
    std::string bytes;
    if (FILE* f = std::fopen(name.c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

}  // namespace tessaly::testing
