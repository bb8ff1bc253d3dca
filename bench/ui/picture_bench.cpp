// A full repaint of the picture of the path, as the window does it on every change of the run and
// every resize, and the making of its exact region as the table window opens: a small problem and one with many constraints' lines, each solved to the optimum
// so that the whole path is drawn, painted over a large window.
#include "bench/ui/offscreen_main.h"
#include "core/path_picture.h"
#include "core/simplex.h"
#include "ui/picture_painter.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <random>

namespace {

// Max F = 3x1 + 2x2 over `equations` rows a1·x1 + a2·x2 + slack = b, the slacks basic.
Problem TwoFreeUnknowns(int equations)
{
    std::mt19937 random(27);
    auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    Problem problem;
    problem.equationCount = equations;
    problem.unknownCount = problem.workUnknownCount = equations + 2;
    for (int k = 1; k <= equations + 2; ++k)
        problem.unknownNames[k] = "x" + std::to_string(k);
    problem.matrix[0][2] = Fraction(3);
    problem.matrix[0][3] = Fraction(2);
    for (int i = 1; i <= equations; ++i) {
        problem.matrix[i][1] = Fraction(uniform(20, 60));
        problem.matrix[i][2] = Fraction(uniform(1, 9));
        problem.matrix[i][3] = Fraction(uniform(1, 9));
        problem.matrix[i][i + 3] = Fraction(1);
        problem.basis[i] = i + 2;
    }
    problem.ComputeIndexRow();
    return problem;
}

PictureScene SolvedScene(int equations)
{
    Problem problem = TwoFreeUnknowns(equations);
    PathPicture picture = MakePathPicture(*CanonicalPlaneProblem(problem));
    std::vector<std::vector<TableValue>> solutions{BasicSolution(problem)};
    while (ClassifyTable(problem) == StepStatus::Continue) {
        const int column = FindKeyColumn(problem);
        Pivot(problem, column, FindKeyRow(problem, column));
        solutions.push_back(BasicSolution(problem));
    }
    FollowPath(picture, solutions, PathEnd::Optimum);
    return MakeScene(picture);
}

void BM_RepaintPicture(benchmark::State& state)
{
    const PictureScene scene = SolvedScene(static_cast<int>(state.range(0)));
    QImage image(1000, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        PaintPicture(painter, image.rect(), scene);
    }
    state.counters["lines"] = static_cast<double>(scene.lines.size());
    state.counters["corners"] = static_cast<double>(scene.path.size());
}
BENCHMARK(BM_RepaintPicture)->Arg(2)->Arg(98)->Unit(benchmark::kMillisecond);

// The exact region, once per run as the table window opens.
void BM_MakePicture(benchmark::State& state)
{
    const Problem problem = TwoFreeUnknowns(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(MakePathPicture(*CanonicalPlaneProblem(problem)));
}
BENCHMARK(BM_MakePicture)->Arg(2)->Arg(98)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return RunBenchmarksOffscreen(argc, argv); }
