#pragma once

#include <algorithm>
#include <numeric>
#include <random>

#include "tests/core/problem_builder.h"

// A random canonical problem of m equations and n >= m unknowns: an identity basis on random
// columns, small integer coefficients, a quarter of the right-hand sides zero (degenerate
// tables), any objective over all unknowns, either sense.
inline EnteredProblem RandomCanonicalProblemOfSize(std::mt19937& random, int m, int n)
{
    auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    EnteredProblem entered;
    std::vector<int> columns(n);
    std::iota(columns.begin(), columns.end(), 1);
    std::shuffle(columns.begin(), columns.end(), random);
    entered.basis.assign(columns.begin(), columns.begin() + m);

    entered.equations.assign(m, std::vector<Fraction>(n + 1));
    for (int i = 0; i < m; ++i) {
        entered.equations[i][0] = uniform(0, 3) == 0 ? Q(0) : Q(uniform(1, 12));
        for (int k = 1; k <= n; ++k)
            entered.equations[i][k] = uniform(0, 2) == 0 ? Q(0) : Q(uniform(-4, 6));
    }
    for (int i = 0; i < m; ++i) {
        for (int r = 0; r < m; ++r)
            entered.equations[r][entered.basis[i]] = Q(r == i ? 1 : 0);
    }
    for (int k = 0; k < n; ++k)
        entered.objective.push_back(Q(uniform(-5, 5)));
    entered.freeTerm = Q(uniform(-10, 10));
    entered.isMax = uniform(0, 1) == 1;
    return entered;
}

// The same with m drawn from 1..maxEquations and n from m..maxUnknowns.
inline EnteredProblem RandomCanonicalProblem(std::mt19937& random, int maxEquations, int maxUnknowns)
{
    const int m = std::uniform_int_distribution<int>(1, maxEquations)(random);
    const int n = std::uniform_int_distribution<int>(m, std::max(m, maxUnknowns))(random);
    return RandomCanonicalProblemOfSize(random, m, n);
}
