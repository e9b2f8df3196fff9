#include "tests/wine/stand_in_browser.h"

#include <stdio.h>
#include <wchar.h>

#include <algorithm>

#include "tests/wine/mx_process.h"

namespace {

const wchar_t *const KEYS[] = {L"https\\shell\\open\\command", L"http\\shell\\open\\command"};

void SetCommand(const wchar_t *key, const wchar_t *command)
{
    RegSetKeyValueW(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, command,
                    DWORD((wcslen(command) + 1) * sizeof(wchar_t)));
}

std::string ReadFile(const std::wstring &path)
{
    std::string text;
    if (FILE *file = _wfopen(path.c_str(), L"r")) {
        char buffer[1024];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, file)) > 0)
            text.append(buffer, n);
        fclose(file);
    }
    return text;
}

}  // namespace

StandInBrowser::StandInBrowser()
{
    static_assert(sizeof KEYS / sizeof KEYS[0] == SCHEMES, "one saved command per scheme");
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    log_ = std::wstring(temp) + L"mx-urls.txt";
    DeleteFileW(log_.c_str());
    SetEnvironmentVariableW(L"MX_URL_LOG", log_.c_str());
    std::wstring recorder = L"\"" + FakeHelpProgram() + L"\" --record %1";
    for (int i = 0; i < SCHEMES; ++i) {
        DWORD size = sizeof saved_[i];
        RegGetValueW(HKEY_CLASSES_ROOT, KEYS[i], nullptr, RRF_RT_REG_SZ, nullptr, saved_[i], &size);
        SetCommand(KEYS[i], recorder.c_str());
    }
}

StandInBrowser::~StandInBrowser()
{
    for (int i = 0; i < SCHEMES; ++i)
        SetCommand(KEYS[i], saved_[i]);
    DeleteFileW(log_.c_str());
}

std::string StandInBrowser::Recorded(size_t lines, DWORD timeoutMs) const
{
    std::string text;
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(50)) {
        text = ReadFile(log_);
        if (size_t(std::count(text.begin(), text.end(), '\n')) >= lines)
            break;
    }
    return text;
}
