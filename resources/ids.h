// Control identifiers shared by the resource script and the program.
#ifndef MX_IDS_H
#define MX_IDS_H

// Main window. The system headers name a cursor IDC_HELP; this program
// never loads it, and the name belongs to the Help button here.
#undef IDC_HELP
#define IDC_ABOUT    100
#define IDC_CONVERT  101
#define IDC_ERASE    102
#define IDC_HELP     103
#define IDC_WEBSITE  104
#define IDC_INPUT    300
#define IDC_OUTPUT   301
#define IDC_LIST     400

// About box
#define IDC_TITLE    200
#define IDC_VERSION  201
#define IDC_NOTICE   202
#define IDC_RIGHTS   203
#define IDC_MEMORY   204

// Advertisement
#define IDC_ORDER    105

// The maker and the version, shared by the About box, the version resource
// and the command-line converter.
#define MX_COMPANY   "Zorq Software"
#define MX_VERSION_MAJOR 1
#define MX_VERSION_MINOR 0
#define MX_VERSION   "1.0"
#define MX_COPYRIGHT "Copyright (c) 2026 Zorq Software"

#endif
