// Start-up of MX.EXE against an empty dialog program, and the size of
// MX.EXE, measured under Wine (or Windows).
//   startup_bench [RUNS]
// A program counts as ready when its dialog is visible and, for MX.EXE, its
// list holds every conversion. The programs start in turn, so that any drift
// of the machine touches all alike; their medians are compared. A second
// floor, the main window's template shown with nothing put into it, tells
// the program's own work at start-up from the making of its controls.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

#include "catalogue/catalogue.h"
#include "resources/ids.h"

namespace {

struct Program {
    const char *name;
    const char *arguments;
    int listCount;  // entries the list must hold when ready; 0: no list
    std::vector<double> ms;
};

double Now()
{
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * now.QuadPart / frequency.QuadPart;
}

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindVisibleDialog(HWND hWnd, LPARAM lParam)
{
    Search &s = *reinterpret_cast<Search *>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid != s.pid || !IsWindowVisible(hWnd))
        return TRUE;
    s.found = hWnd;
    return FALSE;
}

bool IsReady(const Program &program, DWORD pid, HWND *window)
{
    Search search{pid, nullptr};
    EnumWindows(FindVisibleDialog, reinterpret_cast<LPARAM>(&search));
    *window = search.found;
    if (!search.found)
        return false;
    return program.listCount == 0 ||
           SendDlgItemMessageW(search.found, IDC_LIST, LB_GETCOUNT, 0, 0) == program.listCount;
}

// Starts the program, waits until it is ready, ends it; returns the time
// to ready in milliseconds, or a negative value on failure.
double TimeStart(const char *folder, const Program &program)
{
    char path[MAX_PATH], commandLine[MAX_PATH + 16];
    snprintf(path, sizeof path, "%s%s", folder, program.name);
    snprintf(commandLine, sizeof commandLine, "\"%s\" %s", path, program.arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    double start = Now();
    if (!CreateProcessA(path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    HWND window = nullptr;
    double ready = -1;
    while (Now() - start < 30000) {
        if (IsReady(program, process.dwProcessId, &window)) {
            ready = Now() - start;
            break;
        }
        Sleep(1);
    }
    if (window)
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ready;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

long FileSize(const char *path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path, GetFileExInfoStandard, &data) ? long(data.nFileSizeLow) : -1;
}

long ResourceSize(const char *path, const char *name, LPCSTR type)
{
    HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return -1;
    HRSRC found = FindResourceA(module, name, type);
    long size = found ? long(SizeofResource(module, found)) : -1;
    FreeLibrary(module);
    return size;
}

}  // namespace

int main(int argc, char **argv)
{
    int runs = argc > 1 ? atoi(argv[1]) : 15;
    char folder[MAX_PATH];
    GetModuleFileNameA(nullptr, folder, sizeof folder);
    strrchr(folder, '\\')[1] = '\0';

    Program mx = {"MX.EXE", "", NUM_CONVERSIONS, {}};
    Program floor = {"empty_dialog.exe", "", 0, {}};
    Program window = {"empty_dialog.exe", "main", 0, {}};
    Program *programs[] = {&mx, &floor, &window};
    for (Program *program : programs)
        TimeStart(folder, *program);  // the first start of a session fills caches
    for (int run = 0; run < runs; ++run)
        for (Program *program : programs) {
            double ms = TimeStart(folder, *program);
            if (ms < 0) {
                fprintf(stderr, "%s did not become ready\n", program->name);
                return 1;
            }
            program->ms.push_back(ms);
        }

    char exe[MAX_PATH];
    snprintf(exe, sizeof exe, "%sMX.EXE", folder);
    long size = FileSize(exe);
    long advert = ResourceSize(exe, "advert", RT_BITMAP);
    double mxMedian = Median(mx.ms), floorMedian = Median(floor.ms);
    double windowMedian = Median(window.ms);

    printf("%-34s %10s %10s %8s %8s\n", "figure", "measured", "floor", "ratio", "goal");
    printf("%-34s %7.1f ms %7.1f ms %8.3f %8s\n", "start-up under Wine, median", mxMedian,
           floorMedian, mxMedian / floorMedian, "<= 1.10");
    printf("%-34s %7.1f ms %7.1f ms %8.3f\n", "  against the bare main window", mxMedian,
           windowMedian, mxMedian / windowMedian);
    printf("%-34s %8ld B\n", "MX.EXE", size);
    printf("%-34s %8ld B %10s %8s %8s\n", "MX.EXE without the advert bitmap", size - advert, "",
           "", "<= 100 KB");
    printf("(%d runs each; bitmap resource %ld B)\n", runs, advert);
    return 0;
}
