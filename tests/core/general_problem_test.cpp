// General problems, brought to the canonical form by the program and solved by the M-method, as a
// correct student takes them through the run, against GLPK's exact simplex on the problem as typed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "core/canonical_form.h"
#include "core/entry_checks.h"
#include "core/lp_format.h"
#include "core/path_picture.h"
#include "tests/core/fake_tutoring_window.h"
#include "tests/core/problem_builder.h"
#include "tests/core/solver_oracles.h"

namespace {

// A problem as the wizard holds it: rows of coefficients, then the sign, then the right-hand side.
struct Typed {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> objective; // the free term first
    std::string sense = "Max";
};

EntryTexts GeneralTexts(const Typed& typed)
{
    EntryTexts texts;
    texts.general = true;
    texts.equationCount = static_cast<int>(typed.rows.size());
    texts.unknownCount = static_cast<int>(typed.objective.size()) - 1;
    texts.coefficients.push_back({});
    texts.signs.push_back({});
    texts.rightHandSides.push_back({});
    for (const auto& row : typed.rows) {
        texts.coefficients.push_back({""});
        texts.coefficients.back().insert(texts.coefficients.back().end(), row.begin(), row.end() - 2);
        texts.signs.push_back(row.end()[-2]);
        texts.rightHandSides.push_back(row.back());
    }
    texts.objective = typed.objective;
    texts.sense = typed.sense;
    texts.unknownNames.push_back("");
    for (int k = 1; k <= texts.unknownCount; ++k)
        texts.unknownNames.push_back("x" + std::to_string(k));
    texts.functionName = "F";
    return texts;
}

struct Solved {
    TutoringRun::Ending ending = TutoringRun::Ending::None;
    std::string status;
    double objective = 0;
    std::vector<std::string> conversion;
    int tables = 0;
};

// The run of a correct student through the real judges.
Solved SolveInTheRun(const Typed& typed)
{
    Problem problem;
    EntryChecker checker;
    const EntryVerdict verdict = checker.Check(GeneralTexts(typed), problem);
    EXPECT_EQ(verdict.action, EntryVerdict::Action::StartRun) << verdict.message;
    FakeTutoringWindow window(problem);
    window.run.RunTutoring();
    EXPECT_TRUE(window.runActive);
    return {window.run.GetEnding(), window.Status(), ToDouble(problem.DisplayValue(problem.IndexRow(), 1)),
            verdict.conversion, static_cast<int>(window.Snapshots().size())};
}

Outcome SolveWithGlpk(const Typed& typed, const std::filesystem::path& folder)
{
    const EntryTexts texts = GeneralTexts(typed);
    LpProblem lp;
    lp.isMax = typed.sense == "Max";
    lp.unknownNames.assign(texts.unknownNames.begin() + 1, texts.unknownNames.end());
    for (int k = 1; k <= texts.unknownCount; ++k)
        lp.objective.push_back(ParseEntryNumber(texts.objective[k]));
    for (int i = 1; i <= texts.equationCount; ++i) {
        LpRow row;
        for (int k = 1; k <= texts.unknownCount; ++k)
            row.coefficients.push_back(ParseEntryNumber(texts.coefficients[i][k]));
        row.relation = *ReadRelation(texts.signs[i]);
        row.rightHandSide = ParseEntryNumber(texts.rightHandSides[i]);
        lp.rows.push_back(row);
    }
    std::ofstream(folder / "problem.lp") << WriteLpProblem(lp);
    Outcome outcome = RunGlpsol(folder / "problem.lp", folder / "solution.txt");
    outcome.objective += ToDouble(ParseEntryNumber(typed.objective[0]));
    return outcome;
}

// Right-hand sides are negative now and then; the large problems, with many rows, seldom, so that
// they too reach optima.
Typed RandomGeneralProblem(std::mt19937& random, int maxEquations, int maxUnknowns)
{
    auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const int m = uniform(2, maxEquations);
    const int n = uniform(2, maxUnknowns);
    // Mostly "<=", so that many problems have an optimum to compare.
    const char* signs[] = {"<=", "<=", "≤", "<=", "<=", "<=", "=", ">=", "≥", "<="};
    Typed typed;
    typed.sense = uniform(0, 1) ? "Max" : "Min";
    typed.objective.push_back(std::to_string(uniform(-5, 5)));
    for (int k = 1; k <= n; ++k)
        typed.objective.push_back(std::to_string(uniform(-9, 9)));
    for (int i = 1; i <= m; ++i) {
        std::vector<std::string> row;
        for (int k = 1; k <= n; ++k)
            row.push_back(std::to_string(uniform(0, 9) < 5 ? uniform(-3, 9) : 0));
        row.push_back(signs[uniform(0, 9)]);
        row.push_back(std::to_string(uniform(0, 3 * maxEquations) == 0 ? uniform(-9, -1) : uniform(0, 30)));
        typed.rows.push_back(row);
    }
    return typed;
}

class GeneralProblems : public testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() /
                 ("tablitor-general-" + std::to_string(::getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
};

TEST_F(GeneralProblems, RandomProblemsEndAsGlpkSays)
{
    std::mt19937 random(2027);
    int endings[3] = {0, 0, 0};
    for (int trial = 0; trial < 120 && !HasFailure(); ++trial) {
        SCOPED_TRACE(testing::Message() << "trial " << trial);
        const Typed typed = RandomGeneralProblem(random, trial < 100 ? 6 : 30, trial < 100 ? 6 : 40);
        const Solved run = SolveInTheRun(typed);
        const Outcome glpk = SolveWithGlpk(typed, folder);
        if (glpk.infeasible) {
            EXPECT_EQ(run.ending, TutoringRun::Ending::Infeasible);
            ++endings[0];
        } else if (glpk.unbounded) {
            EXPECT_EQ(run.ending, TutoringRun::Ending::Unbounded);
            ++endings[1];
        } else {
            EXPECT_EQ(run.ending, TutoringRun::Ending::Success);
            EXPECT_NEAR(run.objective, glpk.objective, 1e-6 * (1 + std::abs(glpk.objective)));
            ++endings[2];
        }
    }
    for (int count : endings)
        EXPECT_GT(count, 5) << "every ending among the trials";
}

struct Textbook {
    const char* name;
    Typed typed;
    TutoringRun::Ending ending;
    double objective;
    const char* status;
};

TEST_F(GeneralProblems, TextbookExamples)
{
    using Ending = TutoringRun::Ending;
    const Textbook cases[] = {
        {"the issue's: max at (0; 10)",
         {{{"2", "1", "<=", "10"}, {"1", "3", ">=", "6"}}, {"0", "3", "2"}}, Ending::Success, 20,
         "Задача успешно решена: x1 = 0, x2 = 10; F = 20"},
        {"min over two >=: 9 at (3; 1)",
         {{{"1", "1", ">=", "4"}, {"1", "3", ">=", "6"}}, {"0", "2", "3"}, "Min"}, Ending::Success, 9,
         "Задача успешно решена: x1 = 3, x2 = 1; F = 9"},
        {"infeasible", {{{"1", "1", "<=", "1"}, {"1", "1", ">=", "3"}}, {"0", "1", "1"}}, Ending::Infeasible, 0,
         "Задача не имеет решения: система ограничений несовместна"},
        {"degenerate: the artificial unknown of x1 - x2 = 0 starts at 0",
         {{{"1", "1", "<=", "2"}, {"1", "-1", "=", "0"}}, {"0", "1", "1"}}, Ending::Success, 2,
         "Задача успешно решена: x1 = 1, x2 = 1; F = 2"},
        {"negative right-hand side, unbounded",
         {{{"-1", "1", "<=", "-1"}}, {"0", "1", "0"}}, Ending::Unbounded, 0,
         "Задача не имеет решения: функция не ограничена"},
    };
    for (const Textbook& c : cases) {
        SCOPED_TRACE(c.name);
        const Solved run = SolveInTheRun(c.typed);
        EXPECT_EQ(run.ending, c.ending);
        EXPECT_EQ(run.status, c.status);
        if (c.ending == Ending::Success) {
            EXPECT_DOUBLE_EQ(run.objective, c.objective);
        }
    }
}

// What the student is told before the first table, and the names the new unknowns take.
TEST_F(GeneralProblems, ConversionIsToldEquationByEquation)
{
    const Solved run = SolveInTheRun({{{"2", "1", "<=", "10"}, {"1", "3", ">=", "6"}, {"1", "-1", "=", "-2"}},
                                      {"0", "3", "2"}});
    const std::vector<std::string> expected = {
        "1 уравнение: добавлено неизвестное x3 с коэффициентом +1, оно базисное.",
        "2 уравнение: добавлено неизвестное x4 с коэффициентом -1; добавлено искусственное неизвестное y1 с ценой -M.",
        "3 уравнение: умножено на -1; добавлено искусственное неизвестное y2 с ценой -M.",
    };
    EXPECT_EQ(run.conversion, expected);

    Problem problem;
    Typed own{{{"1", "1", "<=", "4"}}, {"0", "1", "1"}};
    EntryTexts texts = GeneralTexts(own);
    texts.unknownNames = {"", "y1", "x99"};
    EntryChecker().Check(texts, problem);
    EXPECT_EQ(problem.unknownNames[3], "s1") << "x100 would not fit three characters";
}

} // namespace

namespace {

// The parts at M are asked and explained like the index row: the rule names the prices' parts at M.
TEST_F(GeneralProblems, PartsAtMAreExplainedLikeTheIndexRow)
{
    Problem problem;
    EntryChecker().Check(GeneralTexts({{{"2", "1", "<=", "10"}, {"1", "3", ">=", "6"}}, {"0", "3", "2"}}), problem);
    FakeTutoringWindow window(problem, {DisplayMode::CommonFractions, true});
    // Ind(0)..Ind(5) right, then M(0) wrong twice.
    window.elementAnswers = {"0", "-3", "-2", "0", "0", "0", "6", "5"};
    window.run.RunTutoring();
    const auto messages = window.EventsOf("message");
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Расчет неверный, повторите еще раз\n\n"
                                "Ошибка в знаке.\n"
                                "M(0) — часть значения функции при M: сумма произведений частей цен базисных "
                                "неизвестных при M на их свободные члены:\n"
                                "M(0) = CM(3)·B(1) + CM(5)·B(2)\n"
                                "Здесь CM(j) — часть при M коэффициента функции при j-м неизвестном: −1 у "
                                "искусственного неизвестного, 0 у остальных.");
    EXPECT_NE(messages[1].text.find("M(0) = CM(3)·B(1) + CM(5)·B(2) = 0·10 + (−1)·6"), std::string::npos);
}

} // namespace

namespace {

// A general problem of two unknowns has its picture in them: the region of its inequalities, and
// a path whose tables of the artificial basis may lie outside it but which ends at the optimum.
TEST_F(GeneralProblems, TwoUnknownsArePicturedInTheirOwnPlane)
{
    Problem problem;
    EntryChecker().Check(GeneralTexts({{{"2", "1", "<=", "10"}, {"1", "3", ">=", "6"}}, {"0", "3", "2"}}), problem);
    ASSERT_FALSE(CanonicalPlaneProblem(problem)) << "three unknowns more than equations";
    const std::optional<PlaneProblem> plane = GeneralPlaneProblem(problem);
    ASSERT_TRUE(plane);
    EXPECT_EQ(plane->axisNames[1], "x2");
    PathPicture picture = MakePathPicture(*plane);
    const std::vector<PlanePoint> vertices = FindVertices(plane->constraints);
    EXPECT_EQ(vertices, (std::vector<PlanePoint>{{Q(0), Q(2)}, {Q(0), Q(10)}, {Q(24, 5), Q(2, 5)}}));
    FakeTutoringWindow window(problem);
    window.run.RunTutoring();
    FollowPath(picture, window.State().tableSolutions, PathEnd::Optimum);
    EXPECT_EQ(picture.path.back(), (PlanePoint{Q(0), Q(10)}));
    EXPECT_EQ(picture.path.front(), (PlanePoint{Q(0), Q(0)})) << "the artificial basis starts outside the region";
}

} // namespace
