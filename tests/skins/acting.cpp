// A skin whose entry point would act if it were ever run: it leaves a marker file beside
// itself. The game maps skins as data, so the marker must never appear.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH];
        const DWORD length = GetModuleFileNameA(self, path, MAX_PATH - 8);
        lstrcpyA(path + length, ".ran");
        CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    return TRUE;
}
