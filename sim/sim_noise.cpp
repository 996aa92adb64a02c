// The simulated panel's jitter; see sim_noise.h.
#include "sim_noise.h"

// Xorshift: every bit of the state changes, so the remainder below is spread over any range.
LONG PanelNoise(DWORD *state, LONG amount)
{
    DWORD x = *state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    *state = x;
    return amount > 0 ? (LONG)(x % (2 * (DWORD)amount + 1)) - amount : 0;
}
