#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "core/problem.h"

// Builds a problem as the entry would: equations as rows of {b, a1, ..., an}, the objective's
// coefficients and free term as typed, the basis given per equation, the sense applied.
struct EnteredProblem {
    std::vector<std::vector<Fraction>> equations;
    std::vector<Fraction> objective;
    Fraction freeTerm;
    bool isMax = true;
    std::vector<int> basis;
};

inline Problem BuildTestProblem(const EnteredProblem& entered)
{
    Problem p;
    p.equationCount = static_cast<int>(entered.equations.size());
    p.unknownCount = p.workUnknownCount = p.originalUnknownCount = static_cast<int>(entered.objective.size());
    const int n = p.unknownCount;
    for (int i = 1; i <= p.equationCount; ++i) {
        const auto& row = entered.equations[i - 1];
        for (int c = 1; c <= n + 1; ++c)
            p.matrix[i][c] = row[c - 1];
        p.matrix[i][n + 2] = row[0];
        p.basis[i] = entered.basis[i - 1];
    }
    for (int k = 1; k <= n; ++k) {
        p.matrix[0][k + 1] = entered.isMax ? entered.objective[k - 1] : Fraction(-1) * entered.objective[k - 1];
        p.unknownNames[k] = "x" + std::to_string(k);
    }
    p.freeTerm = entered.freeTerm;
    p.isMax = entered.isMax ? 1 : 0;
    p.functionName = "F";
    return p;
}

inline Fraction Q(int64_t numerator, int64_t denominator = 1)
{
    Fraction f(0, numerator, denominator);
    f.Reduce();
    f.NormalizeSign();
    return f;
}
