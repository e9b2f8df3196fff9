// Reading the number of input units.
//
// The accepted text is exactly: optional white space, an optional sign, at
// least one decimal digit with at most one decimal point among them, then an
// optional exponent (e or E, an optional sign and digits, where the letter
// and its sign are consumed even when no digit follows). Nothing may follow.
#ifndef MX_NUMBER_H
#define MX_NUMBER_H

enum NumberStatus {
    NUMBER_OK,        // *value holds the number, correctly rounded to double
    NUMBER_INVALID,   // the text is not wholly a number
    NUMBER_OVERFLOW   // the magnitude is beyond the finite doubles
};

NumberStatus ReadNumber(const char *text, double *value);

#endif
