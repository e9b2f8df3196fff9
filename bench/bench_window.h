// The benchmark's main window: the row and text a request reads, and the
// result it writes.
#ifndef MX_BENCH_WINDOW_H
#define MX_BENCH_WINDOW_H

#include "engine/request.h"

struct BenchWindow {
    int row;
    const char *input;
    char output[RESULT_BUFFER_SIZE];
};

extern BenchWindow g_window;

#endif
