#pragma once

#include <cstddef>
#include <vector>

// The scene choice's arithmetic: weights are summed with the fraction dropped after every
// addition, so that fractional weights count as the original show counted them.

// 0, then (integer part of (total + weight)) for each weight in turn.
int TruncatedTotal(const std::vector<float>& weights);
// The index at which the running sum first reaches r: it starts at the first weight and
// grows by (integer part of running) + next weight. r <= first weight gives 0; the last
// index when r is never reached. `weights` must not be empty.
std::size_t WalkWeights(const std::vector<float>& weights, int r);
