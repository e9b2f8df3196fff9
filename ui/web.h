// Web addresses the program hands to the shell.
#ifndef MX_WEB_H
#define MX_WEB_H

// Home page of the maker's web site.
const char MAKER_WEB_ADDRESS[] = "https://www.zorq.example/";

// Checkout page of the web store, for the help manual.
const char MANUAL_ORDER_ADDRESS[] =
    "https://store.zorq.example/checkout?productid=MXHELP-1&language=English";

#endif
