// A stand-in for the web browser: while the object lives, the shell opens
// web addresses with the recorder of fake_help.exe, which writes each one to
// a file instead of starting a browser.
#ifndef MX_STAND_IN_BROWSER_H
#define MX_STAND_IN_BROWSER_H

#include <windows.h>

#include <string>

class StandInBrowser {
public:
    // Registers the recorder as the browser and starts an empty record. Only
    // programs started afterwards know where the record is.
    StandInBrowser();
    // Puts the browser back and removes the record.
    ~StandInBrowser();
    StandInBrowser(const StandInBrowser &) = delete;
    StandInBrowser &operator=(const StandInBrowser &) = delete;

    // The addresses recorded so far, one a line, once there are at least
    // `lines` of them or `timeoutMs` has passed.
    std::string Recorded(size_t lines, DWORD timeoutMs = 10000) const;

private:
    static const int SCHEMES = 2;
    wchar_t saved_[SCHEMES][MAX_PATH * 2] = {};
    std::wstring log_;
};

#endif
