// The floor of a batch conversion: reads the same request lines as
// `mensurix --batch` and does only what every conversion must: read the
// number that starts the line (strtod), multiply, print it with "%g". There
// is no checking and no matching; the multiplier is one fixed value.
#include <stdio.h>
#include <stdlib.h>

int main()
{
    const double MULTIPLIER = 0.0254;
    char line[4096 + 2];  // mensurix's longest request line and its end
    while (fgets(line, sizeof line, stdin))
        printf("%g\n", strtod(line, nullptr) * MULTIPLIER);
    return 0;
}
