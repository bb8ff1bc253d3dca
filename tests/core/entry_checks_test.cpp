#include "core/entry_checks.h"

#include <gtest/gtest.h>

#include "tests/core/problem_builder.h"

namespace {

using Action = EntryVerdict::Action;
using Kind = EntryField::Kind;

// Each equation as its row reads on the wizard's page: the coefficients, "=", the right-hand side.
EntryTexts Texts(std::vector<std::vector<std::string>> equations, std::vector<std::string> objective,
                 std::string sense = "Max")
{
    EntryTexts texts;
    texts.equationCount = static_cast<int>(equations.size());
    texts.unknownCount = static_cast<int>(objective.size()) - 1;
    texts.coefficients.push_back({});
    texts.rightHandSides.push_back({});
    texts.signs.push_back({});
    for (auto& row : equations) {
        texts.coefficients.push_back({""});
        texts.coefficients.back().insert(texts.coefficients.back().end(), row.begin(), row.end() - 2);
        texts.signs.push_back(row.end()[-2]);
        texts.rightHandSides.push_back(row.back());
    }
    texts.objective = std::move(objective);
    texts.sense = std::move(sense);
    texts.unknownNames.push_back("");
    for (int k = 1; k <= texts.unknownCount; ++k)
        texts.unknownNames.push_back("x" + std::to_string(k));
    texts.functionName = "F";
    return texts;
}

// x3 and x4 basic; free term 5.
EntryTexts CanonicalTexts(std::string sense = "Max")
{
    return Texts({{"1", "2", "1", "0", "=", "4"}, {"3", "-1/2", "0", "1", "=", "6"}}, {"5", "2", "-3", "0", "1"},
                 std::move(sense));
}

TEST(EntryChecks, SizesMustLieBetweenOneAndHundred)
{
    EXPECT_FALSE(CheckSizes(1, 1));
    EXPECT_FALSE(CheckSizes(100, 100));
    for (auto [m, n] : {std::pair{0, 3}, {3, 0}, {-1, 3}, {101, 3}, {3, 101}})
        EXPECT_EQ(CheckSizes(m, n), "Введите допустимые значения") << m << " x " << n;
}

TEST(EntryChecks, NamesAreCutToThreeCharactersNotBytes)
{
    EXPECT_EQ(FirstCharacters("абвг", 3), "абв");
    EXPECT_EQ(FirstCharacters("abcd", 3), "abc");
    EXPECT_EQ(FirstCharacters("x1", 3), "x1");
    EXPECT_EQ(FirstCharacters("яx€z", 3), "яx€");
    EXPECT_EQ(FirstCharacters("", 3), "");
}

TEST(EntryChecks, EmptyNameStopsAtItsNumberKeepingTheNamesBefore)
{
    NamesVerdict verdict = CheckNames({"", "abcd", "", "z"}, "F");
    EXPECT_EQ(verdict.message, "Введите обозначение 2 переменной");
    EXPECT_EQ(verdict.takenCount, 1);
    EXPECT_EQ(verdict.names[1], "abc");

    verdict = CheckNames({"", "a", "b"}, "");
    EXPECT_EQ(verdict.message, "Введите обозначение для функции");
    EXPECT_EQ(verdict.takenCount, 2);

    verdict = CheckNames({"", "дельта", "b"}, "Ф");
    EXPECT_FALSE(verdict.message);
    EXPECT_EQ(verdict.names[1], "дел");
}

TEST(EntryChecks, FirstOffendingCellIsReportedInReadingOrder)
{
    struct Row {
        EntryField field; // the cell made bad
        const char* text;
        const char* message;
    };
    const Row rows[] = {
        {{Kind::Coefficient, 1, 1}, "", "Введите значение для 1 переменной 1 уравнения"},
        {{Kind::Coefficient, 2, 4}, "1,5", "Неправильный формат данных для 4 переменной 2 уравнения"},
        // A cell is wholly one number, never a number read from the front of a longer text.
        {{Kind::Coefficient, 1, 2}, "1-2", "Неправильный формат данных для 2 переменной 1 уравнения"},
        {{Kind::RightHandSide, 2, 0}, "5-1", "Неправильный формат данных для правой части 2 уравнения"},
        {{Kind::ObjectiveCoefficient, 0, 2}, "2/3/4", "Неправильный формат данных для 2 коэффициента целевой функции"},
        {{Kind::Coefficient, 2, 1}, "0/0", "Неправильный формат данных для 1 переменной 2 уравнения"},
        {{Kind::RightHandSide, 2, 0}, "", "Введите значение правой части для 2 уравнения"},
        {{Kind::RightHandSide, 1, 0}, "abc", "Неправильный формат данных для правой части 1 уравнения"},
        {{Kind::FreeTerm, 0, 0}, "", "Введите значение свободного члена целевой функции"},
        {{Kind::FreeTerm, 0, 0}, "+1", "Неправильный формат данных свободного члена целевой функции"},
        {{Kind::ObjectiveCoefficient, 0, 3}, "", "Введите значение для 3 коэффициента целевой функции"},
        {{Kind::ObjectiveCoefficient, 0, 4}, "3/0", "Неправильный формат данных для 4 коэффициента целевой функции"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message);
        EntryTexts texts = CanonicalTexts();
        texts.objective[4] = ""; // the last cell is bad too, and must not be the one reported
        const EntryField& field = row.field;
        switch (field.kind) {
        case Kind::Coefficient: texts.coefficients[field.equation][field.unknown] = row.text; break;
        case Kind::RightHandSide: texts.rightHandSides[field.equation] = row.text; break;
        default: texts.objective[field.unknown] = row.text; break;
        }
        auto verdict = CheckCellFormats(texts);
        ASSERT_TRUE(verdict);
        EXPECT_EQ(verdict->action, Action::ShowMessage);
        EXPECT_EQ(verdict->message, row.message);
        EXPECT_EQ(verdict->focus, field);
    }
}

TEST(EntryChecks, SignColumnIsNeverReadInTheCanonicalExercise)
{
    EntryTexts texts = CanonicalTexts();
    texts.signs[1] = "";
    texts.signs[2] = "garbage";
    EXPECT_FALSE(CheckCellFormats(texts));
}

TEST(EntryChecks, ConversionLaysOutTheTableAndAppliesTheSense)
{
    Problem problem;
    problem.matrix[50][50] = Fraction(7); // left over from an earlier press
    EntryTexts texts = CanonicalTexts("Min");
    EntryChecker checker;
    EntryVerdict verdict = checker.Check(texts, problem);
    ASSERT_EQ(verdict.action, Action::StartRun);
    EXPECT_EQ(problem.equationCount, 2);
    EXPECT_EQ(problem.workUnknownCount, 4);
    EXPECT_TRUE(problem.matrix[1][1] == Q(4));
    EXPECT_TRUE(problem.matrix[1][6] == Q(4));
    EXPECT_TRUE(problem.matrix[2][2] == Q(3));
    EXPECT_TRUE(problem.matrix[2][3] == Q(-1, 2));
    EXPECT_TRUE(problem.matrix[0][1] == Q(0));
    EXPECT_TRUE(problem.matrix[0][2] == Q(-2)) << "row 0 negated for Min";
    EXPECT_TRUE(problem.matrix[0][3] == Q(3));
    EXPECT_TRUE(problem.freeTerm == Q(5)) << "the free term as typed";
    EXPECT_TRUE(problem.matrix[50][50] == Q(0));
    EXPECT_EQ(problem.isMax, 0);
    EXPECT_EQ(problem.basis[1], 3);
    EXPECT_EQ(problem.basis[2], 4);
    EXPECT_EQ(problem.unknownNames[2], "x2");
}

TEST(EntryChecks, LastUnitColumnBecomesTheBasis)
{
    Problem problem;
    EntryTexts single = Texts({{"1", "0", "1", "1/1", "=", "2"}}, {"0", "1", "1", "1", "1"});
    BuildProblem(single, problem);
    EXPECT_TRUE(CheckCanonical(problem));
    EXPECT_EQ(problem.basis[1], 4);

    // x1 has 1 in both equations: a unit column of neither
    EntryTexts shared = Texts({{"1", "1", "0", "=", "2"}, {"1", "0", "0", "=", "3"}}, {"0", "1", "1", "1"});
    BuildProblem(shared, problem);
    EXPECT_FALSE(CheckCanonical(problem));
}

TEST(EntryChecks, CountedFailuresWarnTwiceThenEndTheRuns)
{
    EntryChecker checker;
    Problem problem;
    // Equation 2 has a negative right-hand side and no unit column: the sign check comes first.
    EntryTexts negative = Texts({{"1", "0", "=", "2"}, {"0", "2", "=", "-1"}}, {"0", "1", "1"});
    EntryTexts notCanonical = Texts({{"1", "1", "=", "2"}, {"1", "2", "=", "1"}}, {"0", "1", "1"});

    EntryVerdict first = checker.Check(negative, problem);
    EXPECT_EQ(first.action, Action::Warn);
    EXPECT_EQ(first.message, "Система уравнений не каноническая\nЗадачу с неравенствами или без явного базиса "
                             "программа приведет к каноническому виду сама, если включить \"Общая задача\" в "
                             "меню Настройки, Прочие.");
    EXPECT_EQ(checker.Check(notCanonical, problem).action, Action::Warn);
    EXPECT_EQ(checker.EntryFailures(), 2);

    EntryVerdict third = checker.Check(negative, problem);
    EXPECT_EQ(third.action, Action::FailRun);
    EXPECT_EQ(third.reason, "2-е уравнение имеет отрицательную правую часть");
    EXPECT_EQ(checker.Check(notCanonical, problem).reason, "Система уравнений не каноническая");
}

TEST(EntryChecks, PassingPressAfterTwoFailuresStillStartsTheRun)
{
    EntryChecker checker;
    Problem problem;
    EntryTexts notCanonical = Texts({{"1", "1", "=", "2"}, {"1", "2", "=", "1"}}, {"0", "1", "1"});
    checker.Check(notCanonical, problem);
    checker.Check(notCanonical, problem);
    EXPECT_EQ(checker.Check(CanonicalTexts(), problem).action, Action::StartRun);
}

TEST(EntryChecks, UncountedFailuresDoNotCount)
{
    EntryChecker checker;
    Problem problem;
    EntryTexts empty = CanonicalTexts();
    empty.coefficients[1][1] = "";
    for (int press = 0; press < 4; ++press)
        EXPECT_EQ(checker.Check(empty, problem).action, Action::ShowMessage);
    EXPECT_EQ(checker.EntryFailures(), 0);
}

} // namespace
