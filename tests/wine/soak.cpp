// A soak of the real MX.EXE: conversions over every row, warnings, About
// boxes and advertisements, many times over; then checks that the program
// still runs, still converts right and holds no more memory than it did.
//   soak.exe [CONVERSIONS [WARNINGS [ABOUTS [ADVERTISEMENTS]]]]
// Exits with 1 on a crash, a wrong result or memory growth beyond the noise.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include <functional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "resources/ids.h"
#include "tests/core/rows.h"
#include "tests/wine/long_run.h"
#include "tests/wine/mx_process.h"

namespace {

struct Sample {
    SIZE_T privateBytes;
    DWORD gdiObjects, userObjects;
};

Sample TakeSample(HANDLE process)
{
    return {PrivateBytes(process), GetGuiResources(process, GR_GDIOBJECTS),
            GetGuiResources(process, GR_USEROBJECTS)};
}

class Soak {
public:
    Soak()
    {
        // Found once: selecting a row by scanning the list would cost 690
        // cross-process calls per conversion.
        HWND list = mx_.control(IDC_LIST);
        for (int i = 0; i < NUM_CONVERSIONS; ++i)
            listIndexOfRow_[SendMessageW(list, LB_GETITEMDATA, i, 0) % NUM_CONVERSIONS] = i;
    }

    MxProcess &mx() { return mx_; }

    // Each step answers whether all went as it should, else says what not.
    bool Conversion(int i)
    {
        int row = i % NUM_CONVERSIONS;
        char text[32];
        snprintf(text, sizeof text, "%g", (i / 7) % 5000 + 0.25);  // exact in binary
        std::wstring expected = EngineAnswer(row, text);
        SendMessageW(mx_.control(IDC_LIST), LB_SETCURSEL, listIndexOfRow_[row], 0);
        mx_.SetText(IDC_OUTPUT, L"");
        mx_.SetText(IDC_INPUT, Widen(text).c_str());
        std::wstring warning = mx_.Convert();
        std::wstring output = mx_.Text(IDC_OUTPUT);
        if (warning.empty() && output == expected)
            return true;
        fprintf(stderr, "row %d, input %s: expected \"%ls\", got \"%ls\"%s%ls\n", row, text,
                expected.c_str(), output.c_str(), warning.empty() ? "" : ", warning ",
                warning.c_str());
        return false;
    }

    bool Warning(int i)
    {
        static const char *const INPUTS[] = {"", "abc", "1e309", "-300"};
        const char *input = INPUTS[i % 4];
        int row = C_TO_F;  // refuses -300 with its own warning
        std::wstring expected = EngineAnswer(row, input);
        SendMessageW(mx_.control(IDC_LIST), LB_SETCURSEL, listIndexOfRow_[row], 0);
        mx_.SetText(IDC_INPUT, Widen(input).c_str());
        std::wstring warning = mx_.Convert();
        if (warning == expected)
            return true;
        fprintf(stderr, "input \"%s\": expected warning \"%ls\", got \"%ls\"\n", input,
                expected.c_str(), warning.c_str());
        return false;
    }

    // Opens a box with the button `id` and closes it with Escape.
    bool OpenAndEscape(int id)
    {
        mx_.Click(id);
        HWND box = mx_.WaitForOwnedPopup();
        if (!box) {
            fprintf(stderr, "button %d opened no box\n", id);
            return false;
        }
        mx_.PressKey(VK_ESCAPE);
        if (!mx_.WaitForClose(box)) {
            fprintf(stderr, "button %d: Escape did not close the box\n", id);
            return false;
        }
        mx_.Sync();
        return true;
    }

private:
    MxProcess mx_;
    int listIndexOfRow_[NUM_CONVERSIONS] = {};
};

struct Phase {
    const char *name;
    int count;
    std::function<bool(int)> step;
    double seconds = 0;
};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

// Runs `phase.count` steps; false at the first that fails or if the
// program is gone.
bool Run(Phase &phase, MxProcess &mx)
{
    LARGE_INTEGER start = Now();
    bool ok = true;
    for (int i = 0; ok && i < phase.count; ++i)
        ok = phase.step(i) && mx.IsRunning();
    phase.seconds = Seconds(start, Now());
    if (!ok)
        fprintf(stderr, "%s failed%s\n", phase.name, mx.IsRunning() ? "" : ": MX.EXE has ended");
    return ok;
}

void PrintObjects(const char *name, DWORD start, DWORD end, bool counted)
{
    if (counted)
        printf("%-16s %10lu %10lu\n", name, (unsigned long)start, (unsigned long)end);
    else
        printf("%-16s n/a under Wine\n", name);
}

int Count(int argc, char **argv, int index, int fallback)
{
    return argc > index ? atoi(argv[index]) : fallback;
}

}  // namespace

int main(int argc, char **argv)
{
    Soak soak;
    MxProcess &mx = soak.mx();
    if (!mx.window()) {
        fprintf(stderr, "MX.EXE did not show its window\n");
        return 1;
    }
    std::vector<Phase> phases = {
        {"conversions", Count(argc, argv, 1, 10000), [&](int i) { return soak.Conversion(i); }},
        {"warnings", Count(argc, argv, 2, 500), [&](int i) { return soak.Warning(i); }},
        {"About boxes", Count(argc, argv, 3, 200), [&](int) { return soak.OpenAndEscape(IDC_ABOUT); }},
        {"advertisements", Count(argc, argv, 4, 100),
         [&](int) { return soak.OpenAndEscape(IDC_HELP); }},
    };

    // One of each first, so that what is made once and kept (dialog
    // templates, the bitmap, fonts) does not count as growth.
    for (Phase &phase : phases)
        if (!phase.step(0))
            return 1;
    Sample start = TakeSample(mx.process());

    bool ok = true;
    for (Phase &phase : phases)
        ok = ok && Run(phase, mx);

    mx.SelectRow(INCHES_TO_FEET);
    mx.SetText(IDC_INPUT, L"12");
    if (ok && !(mx.Convert().empty() && mx.Text(IDC_OUTPUT) == L"1")) {
        fprintf(stderr, "the final conversion went wrong\n");
        ok = false;
    }
    Sample end = TakeSample(mx.process());
    ok = ok && mx.IsRunning();

    double total = 0;
    printf("%-16s %10s %10s\n", "action", "count", "seconds");
    for (const Phase &phase : phases) {
        printf("%-16s %10d %10.1f\n", phase.name, phase.count, phase.seconds);
        total += phase.seconds;
    }
    printf("%-16s %10s %10.1f\n", "total", "", total);

    const double KIB = 1024;
    double growth = (double(end.privateBytes) - double(start.privateBytes)) / KIB;
    double allowedKib = 2048 + 0.05 * start.privateBytes / KIB;  // noise: 2 MiB + 5 %
    printf("\n%-16s %10s %10s %10s %10s\n", "", "start", "end", "growth", "allowed");
    printf("%-16s %10.0f %10.0f %10.0f %10.0f  KiB\n", "private memory", start.privateBytes / KIB,
           end.privateBytes / KIB, growth, allowedKib);
    bool counted = start.gdiObjects || start.userObjects || end.gdiObjects || end.userObjects;
    PrintObjects("GDI objects", start.gdiObjects, end.gdiObjects, counted);
    PrintObjects("USER objects", start.userObjects, end.userObjects, counted);

    if (growth > allowedKib) {
        fprintf(stderr, "private memory grew beyond the noise\n");
        ok = false;
    }
    printf("\n%s\n", ok ? "PASSED" : "FAILED");
    return ok ? 0 : 1;
}
