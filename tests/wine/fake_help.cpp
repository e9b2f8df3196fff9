// Stands in for programs that MX.EXE deals with, in the window tests.
//   fake_help.exe ["TITLE"]      a top-level window titled TITLE (by default
//                                HELP_TITLE), shown as it was asked;
//                                as long as a command line allows
//   fake_help.exe --record URL   appends URL to the file named by the
//                                environment variable MX_URL_LOG: the web
//                                browser, as the shell starts it
#include <windows.h>
#include <stdio.h>
#include <string.h>

#include "tests/wine/fake_help.h"

static int RecordUrl(const char *url)
{
    char unquoted[2048];
    lstrcpynA(unquoted, url + (*url == '"'), sizeof unquoted);
    if (char *end = strchr(unquoted, '"'))
        *end = '\0';
    char log[MAX_PATH];
    if (!GetEnvironmentVariableA("MX_URL_LOG", log, sizeof log))
        return 1;
    // Recorders started close together take turns: the runtime's appending
    // seeks to the end and then writes, and two doing that at once would
    // write one line over the other.
    HANDLE turn = CreateMutexA(NULL, FALSE, "MxUrlLog");
    WaitForSingleObject(turn, INFINITE);
    FILE *file = fopen(log, "a");
    bool recorded = file != NULL;
    if (recorded) {
        fprintf(file, "%s\n", unquoted);
        fclose(file);
    }
    ReleaseMutex(turn);
    CloseHandle(turn);
    return recorded ? 0 : 1;
}

static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR commandLine, int show)
{
    const char RECORD[] = "--record ";
    if (strncmp(commandLine, RECORD, strlen(RECORD)) == 0)
        return RecordUrl(commandLine + strlen(RECORD));

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = hInstance;
    windowClass.lpszClassName = "FakeHelp";
    RegisterClassA(&windowClass);
    static char title[32768];  // a command line's most
    lstrcpynA(title, HELP_TITLE, sizeof title);
    if (*commandLine == '"') {
        lstrcpynA(title, commandLine + 1, sizeof title);
        if (char *end = strrchr(title, '"'))
            *end = '\0';
    }
    HWND hWnd = CreateWindowA("FakeHelp", title, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, NULL, NULL,
                              hInstance, NULL);
    ShowWindow(hWnd, show);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
