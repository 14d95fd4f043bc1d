#include "support/test_bets.h"

#include "core/binomial.h"

namespace kombitron::test {

BetList everyBetOf(int n)
{
    BetList all(static_cast<int64_t>(binomialOf(n, 6)));
    int64_t i = 1;
    Bet b;
    for (int a = 1; a <= n - 5; ++a)
        for (int c = a + 1; c <= n - 4; ++c)
            for (int d = c + 1; d <= n - 3; ++d)
                for (int e = d + 1; e <= n - 2; ++e)
                    for (int f = e + 1; f <= n - 1; ++f)
                        for (int g = f + 1; g <= n; ++g) {
                            const int v[6] = {a, c, d, e, f, g};
                            for (int k = 0; k < 6; ++k) b.numbers[k] = static_cast<uint8_t>(v[k]);
                            all.set(i++, b);
                        }
    return all;
}

} // namespace kombitron::test
