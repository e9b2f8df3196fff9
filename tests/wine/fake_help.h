// What the window tests and their stand-in help program (fake_help.cpp)
// agree on.
#ifndef MX_TESTS_FAKE_HELP_H
#define MX_TESTS_FAKE_HELP_H

// The title by which MX.EXE knows its help program's window; the stand-in's
// window bears it unless it is given another.
const char HELP_TITLE[] = " Mensurix Help ";

#endif
