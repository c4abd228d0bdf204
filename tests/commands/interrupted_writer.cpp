// A writer that stops halfway: it opens an atomic write of the target, writes
// part of the new contents, signals the event named on its command line and
// waits to be killed.
#include <windows.h>

#include <string>

#include "runtime/core/commands/atomic_file_writer.h"
#include "runtime/core/text_encoding.h"

int main(int argc, char** argv)
{
    if (argc < 3) return 2;
    tessaly::AtomicFileWriter writer(tessaly::widenGbk(argv[1]));
    if (!writer.open()) return 3;
    const std::string half(64 * 1024, 'N');
    if (!writer.write({reinterpret_cast<const uint8_t*>(half.data()), half.size()})) return 4;
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    if (ready == nullptr) return 5;
    SetEvent(ready);
    Sleep(INFINITE);
    return 0;
}
