#include "show/VWeightedChoice.h"

int TruncatedTotal(const std::vector<float>& weights)
{
    int total = 0;
    for (float weight : weights)
        total = static_cast<int>(total + weight);
    return total;
}

std::size_t WalkWeights(const std::vector<float>& weights, int r)
{
    std::size_t at = 0;
    float running = weights[0];
    while (running < r && at + 1 < weights.size()) {
        ++at;
        running = static_cast<int>(running) + weights[at];
    }
    return at;
}
