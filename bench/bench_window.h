#ifndef MX_BENCH_WINDOW_H
#define MX_BENCH_WINDOW_H

struct BenchWindow {
    int row;
    const char *input;
    char output[256];
    long warnings;
};

extern BenchWindow g_window;

#endif
