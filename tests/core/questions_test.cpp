#include "core/questions.h"

#include <gtest/gtest.h>

#include "core/number_text.h"
#include "tests/core/fake_tutoring_window.h"
#include "tests/core/problem_builder.h"

namespace {

using Outcome = Verdict::Outcome;

// Three equations, four unknowns: x2, x3, x4 basic; x1 enters with ratios 4, 3 and 3.
Problem ThreeEquations()
{
    return BuildTestProblem({{{Q(4), Q(1), Q(1), Q(0), Q(0)},
                              {Q(6), Q(2), Q(0), Q(1), Q(0)},
                              {Q(3), Q(1), Q(0), Q(0), Q(1)}},
                             {Q(3), Q(1), Q(0), Q(0)}, Q(0), true, {2, 3, 4}});
}

TEST(Questions, BasisPromptUsesTheRightPreposition)
{
    Problem problem = ThreeEquations();
    FakeTutoringWindow window(problem);
    EXPECT_EQ(BasisQuestion(window.run, problem, 1).Prompt(), "Выберите базисное неизвестное в 1 уравнении");
    EXPECT_EQ(BasisQuestion(window.run, problem, 2).Prompt(), "Выберите базисное неизвестное во 2 уравнении");
    EXPECT_EQ(BasisQuestion(window.run, problem, 3).Prompt(), "Выберите базисное неизвестное в 3 уравнении");
    std::vector<std::string> names = {"x1", "x2", "x3", "x4"};
    EXPECT_EQ(BasisQuestion(window.run, problem, 1).Choices(), names);
}

TEST(Questions, ElementLabelsNameTheCell)
{
    Problem problem = ThreeEquations();
    FakeTutoringWindow window(problem);
    EXPECT_EQ(ElementQuestion(window.run, problem, ElementMode::IndexRow, 4, 1).Label(), "Ind(0)=");
    EXPECT_EQ(ElementQuestion(window.run, problem, ElementMode::NewTable, 4, 3).Label(), "Ind(2)=");
    EXPECT_EQ(ElementQuestion(window.run, problem, ElementMode::KeyRow, 2, 1).Label(), "B(2)=");
    EXPECT_EQ(ElementQuestion(window.run, problem, ElementMode::NewTable, 3, 5).Label(), "A(3,4)=");
}

TEST(Questions, ElementAcceptsValuesAndExpressionsAtThreeDecimals)
{
    Problem problem = BuildTestProblem({{{Q(1, 3), Q(1)}}, {Q(1)}, Q(0), true, {1}});
    FakeTutoringWindow window(problem);
    for (const char* right : {"1/3", "0.333", "0.3333", "(2-1)/3", "1/(2+1)"}) {
        ElementQuestion question(window.run, problem, ElementMode::KeyRow, 1, 1);
        EXPECT_EQ(question.Submit(right).outcome, Outcome::Accepted) << right;
    }
    ElementQuestion question(window.run, problem, ElementMode::KeyRow, 1, 1);
    EXPECT_EQ(question.Submit("0.33").outcome, Outcome::Retry);
    EXPECT_EQ(question.Submit("0.334").outcome, Outcome::Retry);
    EXPECT_EQ(question.Submit("").outcome, Outcome::Refused);
    EXPECT_EQ(question.Submit("0.3333333").outcome, Outcome::Accepted);
}

struct JudgedRow {
    TableValue expected;
    const char* typed;
    Outcome outcome;
};

// Beyond 2^53 a double cannot tell neighbouring values apart; a typed number is read exactly.
TEST(Questions, TypedNumbersAreJudgedExactlyAndExpressionsAtTheCalculatorsThreeDecimals)
{
    const Fraction large = Q(146282451872397716, 7); // 20897493124628245.142857...
    const Fraction above53 = Q(9007199254740993);    // 2^53 + 1
    const TableValue huge = ReadExactNumber("1000000000000000000000000000000/7").value();
    const JudgedRow rows[] = {
        {large, "146282451872397716/7", Outcome::Accepted},
        {large, " 292564903744795432/14 ", Outcome::Accepted},
        {large, "20897493124628245 1/7", Outcome::Accepted},
        {large, "20897493124628245.143", Outcome::Accepted},
        {large, "146282451872397717/7", Outcome::Retry},
        {large, "20897493124628245", Outcome::Retry},
        {large, "20897493124628245.142", Outcome::Retry},
        {Q(-146282451872397716, 7), "-146282451872397716/7", Outcome::Accepted},
        {Q(-146282451872397716, 7), "146282451872397716/-7", Outcome::Accepted},
        {above53, "9007199254740993", Outcome::Accepted},
        {above53, "9007199254740992", Outcome::Retry},
        {above53, "9007199254740994", Outcome::Retry},
        // an expression is still computed in doubles, which cannot see these differences
        {large, "20897493124628245+0.5", Outcome::Accepted},
        {above53, "9007199254740992+0", Outcome::Accepted},
        // mixed numbers as the number text reads them, a zero whole part keeping its sign
        {Q(-5, 3), "-1 2/3", Outcome::Accepted},
        {Q(-2, 3), "-0 2/3", Outcome::Accepted},
        {Q(2, 3), "-0 2/3", Outcome::Retry},
        // beyond 64 bits
        {huge, "1000000000000000000000000000000/7", Outcome::Accepted},
        {huge, "142857142857142857142857142857 1/7", Outcome::Accepted},
        {huge, "142857142857142857142857142857.143", Outcome::Accepted},
        {huge, "1000000000000000000000000000001/7", Outcome::Retry},
        {huge, "142857142857142857142857142857.142", Outcome::Retry},
        {huge, "10^30/7", Outcome::Accepted},
        {huge, "10^30/6", Outcome::Retry},
        // halves are rounded away from zero, exactly
        {Q(1, 3), "0.3335", Outcome::Retry},
        {Q(1, 3), "0.3334999", Outcome::Accepted},
        {Q(-1, 2000), "-0.001", Outcome::Accepted},
    };
    for (const JudgedRow& row : rows) {
        SCOPED_TRACE(row.typed);
        Problem problem = BuildTestProblem({{{Q(0), Q(1)}}, {Q(1)}, Q(0), true, {1}});
        problem.matrix[1][1] = row.expected;
        FakeTutoringWindow window(problem);
        ElementQuestion question(window.run, problem, ElementMode::KeyRow, 1, 1);
        EXPECT_EQ(question.Submit(row.typed).outcome, row.outcome);
    }
}

TEST(Questions, ElementRefusesTextNotReadToItsEndAndNamesTheUnreadPart)
{
    Problem problem = BuildTestProblem({{{Q(1, 3), Q(1)}}, {Q(1)}, Q(0), true, {1}});
    FakeTutoringWindow window(problem);
    const std::string notRead = "Ошибка синтаксиса не разобран конец выражения: ";
    std::string sum = "0";
    while (sum.size() < 299)
        sum += "+0";
    const std::pair<std::string, std::string> rows[] = {
        {"1e5", notRead + "\"e5\""},
        {"2 3", notRead + "\"3\""},
        {"1 2/3 4", notRead + "\"2/3 4\""},
        {"1/3 Ф  ", notRead + "\"Ф\""},
        {"1/3)", notRead + "\")\""},
        {"1/3 abcdefghijklmnopqrst", notRead + "\"abcdefghijklmnopqrst\""},
        {"1/3 abcdefghijklmnopqrstu", notRead + "\"abcdefghijklmnopqrst…\""},
        // cut after twenty letters, never inside one
        {"1/3 абвгдеёжзийклмнопрстуф", notRead + "\"абвгдеёжзийклмнопрст…\""},
        {sum, "Ошибка синтаксиса выражение длиннее 255 символов, не прочитан конец: \"+0+0+0+0+0+0+0+0+0+0…\""},
    };
    for (const auto& [typed, message] : rows) {
        ElementQuestion question(window.run, problem, ElementMode::KeyRow, 1, 1);
        Verdict verdict = question.Submit(typed);
        EXPECT_EQ(verdict.outcome, Outcome::Refused) << typed;
        EXPECT_EQ(verdict.message, message) << typed;
        EXPECT_EQ(verdict.caption, "Ошибка ввода") << typed;
    }
    // spaces alone are left, also beyond the length limit
    const std::string spacesOnly[] = {"1/3   ", "  1/3 ", "1/3" + std::string(255, ' ')};
    for (const std::string& right : spacesOnly) {
        ElementQuestion question(window.run, problem, ElementMode::KeyRow, 1, 1);
        EXPECT_EQ(question.Submit(right).outcome, Outcome::Accepted) << '"' << right << '"';
    }
}

TEST(Questions, UnreadTextIsNotCountedAsAWrongValue)
{
    Problem problem = BuildTestProblem({{{Q(1, 3), Q(1)}}, {Q(1)}, Q(0), true, {1}});
    FakeTutoringWindow window(problem);
    ElementQuestion refusedOnly(window.run, problem, ElementMode::NewTable, 1, 1);
    for (const char* typed : {"1e5", "0.3 3", "1/3Б"})
        EXPECT_EQ(refusedOnly.Submit(typed).outcome, Outcome::Refused) << typed;
    EXPECT_EQ(refusedOnly.Submit("1/3").outcome, Outcome::Accepted);

    ElementQuestion thenWrong(window.run, problem, ElementMode::NewTable, 1, 1);
    for (const char* typed : {"1e5", "0.3 3", "1/3Б"})
        EXPECT_EQ(thenWrong.Submit(typed).outcome, Outcome::Refused) << typed;
    EXPECT_EQ(thenWrong.Submit("0.3").outcome, Outcome::Retry);
    EXPECT_EQ(thenWrong.Submit("1/4").outcome, Outcome::Retry);
    EXPECT_EQ(thenWrong.Submit("2/6").outcome, Outcome::Accepted);
    EXPECT_TRUE(window.runActive);
    EXPECT_EQ(window.Status(), "");
}

TEST(Questions, KeyDialogTextsAndRanges)
{
    Problem problem = ThreeEquations();
    FakeTutoringWindow window(problem);
    KeyQuestion column(window.run, problem, KeyQuestion::Mode::Column, 1, 2);
    EXPECT_EQ(column.Label(), "Ключевой столбец");
    EXPECT_EQ(column.Caption(), "Выберите ключевой столбец");
    EXPECT_EQ(column.RangeMax(), 4);
    KeyQuestion element(window.run, problem, KeyQuestion::Mode::Element, 1, 2);
    EXPECT_EQ(element.Label(), "Строка ключевого элемента");
    EXPECT_EQ(element.Caption(), "Выберите ключевой элемент");
    EXPECT_EQ(element.RangeMax(), 3);
}

TEST(Questions, KeyColumnHighlightFollowsTheNumber)
{
    Problem problem = ThreeEquations();
    FakeTutoringWindow window(problem);
    KeyQuestion question(window.run, problem, KeyQuestion::Mode::Column, 1, 2);
    question.OnNumberChanged(2);
    question.OnNumberChanged(1);
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(window.MarkAt({row, 2}), CellMark::Column);
        EXPECT_EQ(window.MarkAt({row, 3}), CellMark::None);
    }
    EXPECT_EQ(window.MarkAt({Headings, 2}), CellMark::None) << "the header row is not marked";
}

TEST(Questions, TiedKeyElementsAreBothRightAndTheMarksStayOnlyAtTheFirstPivot)
{
    Problem problem = ThreeEquations();
    problem.ComputeIndexRow();
    FakeTutoringWindow window(problem);
    KeyQuestion first(window.run, problem, KeyQuestion::Mode::Element, 1, 2);
    first.OnNumberChanged(3);
    EXPECT_EQ(window.MarkAt({3, 2}), CellMark::Candidate);
    EXPECT_EQ(window.MarkAt({1, 2}), CellMark::Column);
    EXPECT_EQ(first.Submit(1).outcome, Outcome::Retry);
    EXPECT_EQ(first.Submit(3).outcome, Outcome::Accepted);
    EXPECT_EQ(first.KeyRow(), 3);
    EXPECT_EQ(window.MarkAt({3, 2}), CellMark::Candidate) << "kept for the key row";

    KeyQuestion later(window.run, problem, KeyQuestion::Mode::Element, 1, 3);
    later.OnNumberChanged(2);
    EXPECT_EQ(later.Submit(2).outcome, Outcome::Accepted);
    window.State().table.ForEachPlace(
        [&](TablePlace place) { EXPECT_EQ(window.MarkAt(place), CellMark::None) << place.row << "," << place.column; });
}

// A number that names no column or row, the field's first 0 among them, is a slip of the
// keyboard: refused with the range, never counted.
TEST(Questions, KeyNumbersOutsideTheTableAreRefusedWithTheirRange)
{
    Problem problem = ThreeEquations();
    problem.ComputeIndexRow();
    FakeTutoringWindow window(problem);
    KeyQuestion column(window.run, problem, KeyQuestion::Mode::Column, 1, 2);
    KeyQuestion element(window.run, problem, KeyQuestion::Mode::Element, 1, 2);
    for (int number : {0, -1, 5, 99}) {
        const Verdict verdict = column.Submit(number);
        EXPECT_EQ(verdict.outcome, Outcome::Refused) << number;
        EXPECT_EQ(verdict.message, "Введите номер столбца от 1 до 4");
        EXPECT_EQ(verdict.caption, "Ошибка ввода");
        EXPECT_EQ(element.Submit(number == 5 ? 4 : number).message, "Введите номер строки от 1 до 3");
    }
    EXPECT_EQ(column.Submit(2).outcome, Outcome::Retry) << "the one forgiven mistake is still there";
    EXPECT_TRUE(window.runActive);
}

} // namespace
