// The request path against its floor, on one fixed mix of inputs and rows.
//
// Request: ConvertRequest as the Convert button runs it, reading the text,
// checking it, multiplying and writing the result text.
// Floor:   strtod + multiply + snprintf("%g") on the same inputs, with no
//          checking at all.
// The figure is the ratio of the two, measured in the same run, together
// with the heap allocations seen on the request path (there must be none).
#include <benchmark/benchmark.h>

#include <stdio.h>
#include <stdlib.h>

#include <atomic>
#include <map>
#include <string>

#include "bench/bench_window.h"
#include "catalogue/catalogue.h"
#include "engine/request.h"

// Every heap allocation in this process is counted.
static std::atomic<long> g_allocations{0};

extern "C" void *__libc_malloc(size_t);
extern "C" void *malloc(size_t size)
{
    ++g_allocations;
    return __libc_malloc(size);
}

namespace {

struct Input {
    int row;
    const char *text;
};

// Integers, decimals, exponents, negatives, overflows and invalid texts.
const Input MIX[] = {
    {48, "12"},          {1, "5"},           {240, "1234567"},    {558, "36"},
    {0, "0.1"},          {226, "2.5"},       {310, "0.000125"},   {484, "101.325"},
    {1, "1e-5"},         {186, "3.5e12"},    {216, "-4.2E-7"},    {670, "9e+2"},
    {48, "-5"},          {160, "-1234.5"},   {335, "100"},        {334, "-40"},
    {1, "1e308"},        {1, "1e309"},       {1, "9e4932"},       {1, "abc"},
    {1, "1,5"},          {1, "5 "},          {12, "123456789012"}, {689, "-0"},
};

void Request(benchmark::State &state)
{
    for (auto _ : state)
        for (const Input &input : MIX) {
            g_window.row = input.row;
            g_window.input = input.text;
            ConvertRequest(nullptr);
            benchmark::DoNotOptimize(g_window.output);
        }
    state.SetItemsProcessed(state.iterations() * std::size(MIX));
}

void Floor(benchmark::State &state)
{
    char output[RESULT_BUFFER_SIZE];
    for (auto _ : state)
        for (const Input &input : MIX) {
            double value = strtod(input.text, nullptr);
            snprintf(output, sizeof output, "%g", conversions[input.row].multiplier * value);
            benchmark::DoNotOptimize(output);
        }
    state.SetItemsProcessed(state.iterations() * std::size(MIX));
}

BENCHMARK(Floor);
BENCHMARK(Request);

// Keeps each benchmark's time per request for the summary: the median of
// the repetitions when there are several.
class Summary : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            if (run.aggregate_name.empty() || run.aggregate_name == "median")
                nsPerRequest[run.run_name.function_name] =
                    run.GetAdjustedRealTime() / std::size(MIX);
    }
    std::map<std::string, double> nsPerRequest;
    Summary() : ConsoleReporter(OO_Tabular) {}
};

long AllocationsPerMix()
{
    long before = g_allocations;
    for (const Input &input : MIX) {
        g_window.row = input.row;
        g_window.input = input.text;
        ConvertRequest(nullptr);
    }
    return g_allocations - before;
}

}  // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    AllocationsPerMix();  // the runtime's own first-use set-up is not the path's
    long allocations = AllocationsPerMix();

    Summary summary;
    benchmark::RunSpecifiedBenchmarks(&summary);
    double request = summary.nsPerRequest["Request"], floor = summary.nsPerRequest["Floor"];
    printf("\n%-34s %10s %10s %8s %8s\n", "figure", "measured", "floor", "ratio", "goal");
    printf("%-34s %8.1f ns %8.1f ns %8.3f %8s\n", "request path, per request", request, floor,
           request / floor, "<= 1.0");
    printf("%-34s %10ld %10s %8s %8s\n", "heap allocations, per request mix", allocations, "", "",
           "0");
    return allocations == 0 ? 0 : 1;
}
