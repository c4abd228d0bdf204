// A hook a test puts on the tool's thread before it runs: the thread may then
// have at most as many live windows as TESSALY_TEST_WINDOW_QUOTA in its
// environment says, as the system's quota of windows per process would have
// it (about ten thousand on Windows; Wine has none short of its own limits).
#include <windows.h>

#include <climits>
#include <cstdlib>

namespace {

int g_live = 0;
int g_quota = -1;

int quota()
{
    if (g_quota < 0) {
        char value[32] = {};
        g_quota = GetEnvironmentVariableA("TESSALY_TEST_WINDOW_QUOTA", value, sizeof value) ? std::atoi(value) : INT_MAX;
    }
    return g_quota;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK windowQuotaHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        if (g_live >= quota()) return 1;  // refused, as the system refuses a window beyond the quota
        ++g_live;
    } else if (code == HCBT_DESTROYWND) {
        --g_live;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
