// Catalogue rows the tests convert with, named by what they convert.
#ifndef MX_TESTS_ROWS_H
#define MX_TESTS_ROWS_H

enum TestRow {
    CM_TO_MM = 1,                 // x 10
    INCHES_TO_FEET = 48,          // x 1/12
    SQ_MILES_TO_SECTIONS = 160,   // x 1
    PARSECS_TO_METRES = 226,      // x 3.085677e16
    ACRES_TO_SQ_METRES = 240,     // the first entry of the sorted list
    F_TO_C = 334,                 // a formula, refusing values below absolute zero
    C_TO_F = 335,                 // likewise
    KMH_TO_MS = 558,              // x 1/3.6
};

#endif
