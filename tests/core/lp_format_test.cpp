// LP files: random problems written and read back exactly; glpsol reads what we write and reaches
// the optimum of a correct student's run; files that glpsol writes (from random problems and from
// GLPK's own examples) read back with the same data; hostile files are refused with a message.
#include "core/lp_format.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <map>
#include <unistd.h>

#include "core/lp_entry.h"
#include "tests/core/random_problem.h"
#include "tests/core/solver_oracles.h"

namespace {

namespace fs = std::filesystem;

int Uniform(std::mt19937& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

// The kinds of value: 0..3 decimals of up to five digits, 4 long decimals (1/2^30), 5..7 values
// without a decimal form and the extremes of a cell.
enum ValueKinds { kShortDecimals = 3, kDecimals = 4, kAnyValues = 7 };

Fraction RandomValue(std::mt19937& random, ValueKinds kinds)
{
    switch (Uniform(random, 0, kinds)) {
    case 0:
        return Q(0);
    case 1:
        return Q(Uniform(random, -2000, 2000), 4);
    case 2:
        return Q(Uniform(random, -99999, 99999), 100000);
    case 3:
        return Q(Uniform(random, -9, 9), 10000000);
    case 4:
        return Q(Uniform(random, -3, 3), 1 << 30);
    case 5:
        return Q(Uniform(random, -100, 100), Uniform(random, 1, 9));
    case 6:
        return Q(Uniform(random, 0, 1) == 0 ? INT32_MIN : INT32_MAX);
    default:
        return Q(INT32_MAX, INT32_MAX - 1);
    }
}

const std::vector<std::string> kPlainNames = {
    "x1", "y", "e", "E2", "max", "st", "a_b", "x.1", "a#", "inf", "Z9"};
// Names and designations that only the extensions can write.
const std::vector<std::string> kExtendedNames = {
    "х1", "у", "Ф", "дом", "1x", "a b", "\"q", "x:y", "+", "<=", "\\a", " ", "é", "1", "\""};

bool HasDecimalForm(const Fraction& value)
{
    int64_t rest = value.IsZero() ? 1 : value.denominator;
    for (int64_t factor : {2, 5}) {
        while (rest % factor == 0)
            rest /= factor;
    }
    return rest == 1;
}

bool NeedsExtensions(const LpProblem& p)
{
    auto extended = [](const std::string& name) {
        return std::find(kExtendedNames.begin(), kExtendedNames.end(), name) != kExtendedNames.end();
    };
    std::vector<Fraction> values = p.objective;
    values.push_back(p.freeTerm);
    for (const LpRow& row : p.rows) {
        values.insert(values.end(), row.coefficients.begin(), row.coefficients.end());
        values.push_back(row.rightHandSide);
    }
    return extended(p.functionName) || std::any_of(p.unknownNames.begin(), p.unknownNames.end(), extended) ||
        !std::all_of(values.begin(), values.end(), HasDecimalForm);
}

// With extensions: names and a designation that need them.
LpProblem RandomLpProblem(std::mt19937& random, int m, int n, bool extensions, ValueKinds kinds)
{
    LpProblem p;
    std::vector<std::string> pool = kPlainNames;
    if (extensions)
        pool.insert(pool.end(), kExtendedNames.begin(), kExtendedNames.end());
    std::shuffle(pool.begin(), pool.end(), random);
    for (int k = 0; k < n; ++k) {
        const bool drawn = k < static_cast<int>(pool.size()) && Uniform(random, 0, 2) > 0;
        p.unknownNames.push_back(drawn ? pool[k] : "v" + std::to_string(k));
    }
    const std::vector<std::string> designations = {"F", "Z", "e", "Ф", "1", "\""};
    p.functionName = designations[Uniform(random, 0, extensions ? 5 : 2)];
    p.isMax = Uniform(random, 0, 1) == 1;
    for (int k = 0; k < n; ++k)
        p.objective.push_back(RandomValue(random, kinds));
    p.freeTerm = Uniform(random, 0, 1) == 0 ? Q(0) : RandomValue(random, kinds);
    for (int i = 0; i < m; ++i) {
        LpRow row{{}, static_cast<Relation>(Uniform(random, 0, 2)), RandomValue(random, kinds)};
        for (int k = 0; k < n; ++k)
            row.coefficients.push_back(Uniform(random, 0, 2) == 0 ? Q(0) : RandomValue(random, kinds));
        p.rows.push_back(row);
    }
    return p;
}

TEST(LpFormat, RandomProblemsReadBackExactlyWithAnExtensionsLineOnlyWhenNeeded)
{
    std::mt19937 random(20270126);
    for (int trial = 0; trial < 400; ++trial) {
        const bool large = trial % 100 == 0;
        const bool extensions = trial % 2 == 0;
        const LpProblem p = RandomLpProblem(random, large ? 100 : Uniform(random, 1, 8),
            large ? 100 : Uniform(random, 1, 12), extensions, extensions ? kAnyValues : kDecimals);
        ASSERT_EQ(FindLpProblemFault(p), std::nullopt);
        const std::string text = WriteLpProblem(p);
        LpReadResult read = ReadLpProblem(text);
        ASSERT_TRUE(read.problem) << read.message << "\n" << text;
        ASSERT_TRUE(*read.problem == p) << text;
        ASSERT_EQ(text.starts_with("\\ "), NeedsExtensions(p)) << text;
    }
}

// Opening puts a problem into the wizard's texts and saving takes it back: the texts pass the cell
// checks of "Начать" and give the same problem; a value shows its decimals where they read back.
TEST(LpFormat, ProblemsGoThroughTheWizardsTextsUnchanged)
{
    std::mt19937 random(20270127);
    for (int trial = 0; trial < 200; ++trial) {
        const LpProblem p = RandomLpProblem(random, Uniform(random, 1, 8), Uniform(random, 1, 12), trial % 2 == 0,
            kAnyValues);
        EntryTexts texts = ToEntryTexts(p);
        ASSERT_EQ(CheckCellFormats(texts), std::nullopt) << WriteLpProblem(p);
        const LpReadResult back = ToLpProblem(texts, true);
        ASSERT_TRUE(back.problem && *back.problem == p) << WriteLpProblem(p);
        texts.signs.back() = "=<";
        ASSERT_EQ(ToLpProblem(texts, true).message, "Знак " + std::to_string(p.rows.size()) +
            " уравнения должен быть =, <= или >=");
        ASSERT_FALSE(HasInequalities(*ToLpProblem(texts, false).problem)) << "a canonical problem reads no signs";
    }
    for (const auto& [value, text] : {std::pair{Q(5, 2), "2.5"}, {Q(-1, 8), "-0.125"}, {Q(-7), "-7"},
             {Q(2, 3), "2/3"}, {Q(1, 1 << 30), "1/1073741824"}})
        EXPECT_EQ(EntryCellText(value), text);
}

TEST(LpFormat, ReadsTheFormsOfOtherWritersAndItsExtensions)
{
    const std::string text = "\xEF\xBB\xBF\\* written elsewhere *\\\r\n"
                             "MAXIMIZE profit: 3x - 2.5E-1 \"1 y\" + 1e3 z - 2/3 х + 7\r\n"
                             "s.t.\r\n"
                             "   -x + z =< 4 \\ a comment\r\n"
                             "   r2: x\r\n"
                             "     - .5 z => -1\r\n"
                             "   end: w = 0\r\n"
                             "Bounds\r\n 0 <= x\r\n z >= -0\r\n"
                             "END\r\n";
    LpProblem expected;
    expected.unknownNames = {"x", "1 y", "z", "х", "w"};
    expected.functionName = "p";
    expected.objective = {Q(3), Q(-1, 4), Q(1000), Q(-2, 3), Q(0)};
    expected.freeTerm = Q(7);
    expected.rows = {{{Q(-1), Q(0), Q(1), Q(0), Q(0)}, Relation::LessOrEqual, Q(4)},
        {{Q(1), Q(0), Q(-1, 2), Q(0), Q(0)}, Relation::GreaterOrEqual, Q(-1)},
        {{Q(0), Q(0), Q(0), Q(0), Q(1)}, Relation::Equal, Q(0)}};
    LpReadResult read = ReadLpProblem(text);
    ASSERT_TRUE(read.problem) << read.message;
    EXPECT_TRUE(*read.problem == expected);
}

TEST(LpFormat, HostileFilesAreRefusedWithTheirMessages)
{
    const std::string head = "Maximize\n F: x\nSubject To\n";
    const std::string cellLimits = "числитель и знаменатель не больше 2147483647";
    std::string manyRows = head;
    std::string manyUnknowns = "Maximize\n F:";
    for (int k = 0; k < 101; ++k) {
        manyRows += " x <= 1\n";
        manyUnknowns += k < 100 ? " + x" + std::to_string(k) : " + y";
    }
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "Файл пуст"},
        {" \n\t\r\n", "Файл пуст"},
        {std::string("Maximize\n x\0", 12), "Файл не текстовый"},
        {std::string(kLpFileSizeLimit + 1, ' '), "Файл больше 1 МБ: это не задача"},
        {head + " c1: x <= 1\xD0\n", "Строка 4: текст не в кодировке UTF-8"},
        {"\\ nothing\n", "Строка 1: файл кончился, а ожидалось Maximize или Minimize"},
        {"Subject To\n c1: x <= 1\nEnd\n", "Строка 1: ожидалось Maximize или Minimize"},
        {"\\ 1\nMaximize\n F: x + y\nSubject To\n c1: x + y <= 4\n c2: x - y >= 1\n c3: x + 2 y 5\nEnd\n",
            "Строка 7: ожидался знак =, <= или >="},
        {head + " c1: x <= 1\nGenerals\n x\nEnd\n",
            "Строка 5: раздел «Generals» не поддерживается: в задаче бывают только разделы "
            "Maximize или Minimize, Subject To, Bounds и End"},
        {head + " c1: x <= 1\nBounds\n x <= 5\nEnd\n",
            "Строка 6: граница для «x» не поддерживается: допустима только x >= 0"},
        {head + " c1: x <= 1\nBounds\n y free\nEnd\n",
            "Строка 6: граница для «y» не поддерживается: допустима только y >= 0"},
        {head + " c1: x <= 1\nBounds\n -inf <= x <= 0\nEnd\n",
            "Строка 6: граница для «x» не поддерживается: допустима только x >= 0"},
        {head + " c1: 2/0 x <= 1\nEnd\n", "Строка 4: нулевой знаменатель в числе «2/0»"},
        {head + " c1: x <= 1e10\nEnd\n",
            "Строка 4: число «1e10» не помещается в ячейку ввода: " + cellLimits},
        {head + " c1: x <= 0.1e-99999999999\nEnd\n",
            "Строка 4: число «0.1e-99999999999» не помещается в ячейку ввода: " + cellLimits},
        {manyRows + "End\n", "Строка 104: больше 100 уравнений, а в задаче их может быть от 1 до 100"},
        {manyUnknowns + "\nSubject To\n c1: x0 <= 1\nEnd\n",
            "Строка 2: больше 100 переменных, а в задаче их может быть от 1 до 100"},
        {"Maximize\n F: x(1,2)\n", "Строка 2: имя переменной «x(1,2)» длиннее трёх знаков"},
        {"Maximize\n F: x + 2 x\n", "Строка 2: переменная «x» встречается в выражении дважды"},
        {"Maximize\n F: x + 1 - 2\n", "Строка 2: второй свободный член целевой функции"},
        {head + " c1: x + 3 >= 5\nEnd\n", "Строка 4: ожидалось имя переменной"},
        {head + " c1: x * y <= 1\nEnd\n", "Строка 4: непонятный знак «*»"},
        {head + " c1: \"x <= 1\nEnd\n", "Строка 4: имя в кавычках не закрыто"},
        {head + " c1: x <= \x01\nEnd\n", "Строка 4: управляющий символ с кодом 1"},
        {head + " c1: x <= 1\n", "Строка 4: файл кончился, а ожидался раздел Bounds или End"},
        {head + "End\n", "Строка 4: в разделе Subject To нет ни одного уравнения"},
        {"Maximize\n F: x\nConstraints\n c1: x <= 1\nEnd\n", "Строка 3: ожидался раздел Subject To"},
        {head + " c1: x <= 1\nEnd\nx\n", "Строка 6: после End ничего не должно быть"},
        {"Maximize\n F: x\n\\* constant term = many *\\\nSubject To\n",
            "Строка 3: непонятный свободный член в комментарии: «many»"},
    };
    for (const auto& [text, message] : cases) {
        LpReadResult read = ReadLpProblem(text);
        EXPECT_FALSE(read.problem) << text.substr(0, 200);
        EXPECT_EQ(read.message, message) << text.substr(0, 200);
    }
}

class LpFilesWithGlpk : public testing::Test {
protected:
    void SetUp() override { fs::create_directories(directory); }
    void TearDown() override
    {
        if (!HasFailure())
            fs::remove_all(directory);
    }

    const fs::path directory = fs::temp_directory_path() / ("tablitor-lp-" + std::to_string(getpid()));
};

// A canonical problem with decimal data whose rows become inequalities where their basic unknown,
// given no cost, is only a slack: the inequality without it has the same optimum.
struct TwoForms {
    EnteredProblem canonical;
    LpProblem withInequalities;
};

TwoForms RandomTwoForms(std::mt19937& random)
{
    TwoForms forms{RandomCanonicalProblem(random, 6, 10), {}};
    EnteredProblem& entered = forms.canonical;
    const std::vector<int64_t> scales = {1, 2, 4, 5, 10, 100};
    auto decimal = [&](const Fraction& v) { return v * Q(1, scales[Uniform(random, 0, 5)]); };
    std::vector<bool> slack(entered.objective.size() + 1, false);
    for (size_t i = 0; i < entered.equations.size(); ++i)
        slack[entered.basis[i]] = Uniform(random, 0, 1) == 1;
    if (std::count(slack.begin() + 1, slack.end(), false) == 0)
        slack[entered.basis[0]] = false;
    for (size_t k = 1; k < slack.size(); ++k) {
        bool basic =
            std::find(entered.basis.begin(), entered.basis.end(), static_cast<int>(k)) != entered.basis.end();
        entered.objective[k - 1] = slack[k] ? Q(0) : decimal(entered.objective[k - 1]);
        for (auto& equation : entered.equations)
            equation[k] = basic ? equation[k] : decimal(equation[k]);
    }
    for (auto& equation : entered.equations)
        equation[0] = decimal(equation[0]);
    entered.freeTerm = decimal(entered.freeTerm);

    LpProblem& p = forms.withInequalities;
    p.isMax = entered.isMax;
    p.freeTerm = entered.freeTerm;
    for (size_t k = 1; k < slack.size(); ++k) {
        if (!slack[k]) {
            p.unknownNames.push_back(k < kPlainNames.size() ? kPlainNames[k] : "v" + std::to_string(k));
            p.objective.push_back(entered.objective[k - 1]);
        }
    }
    for (size_t i = 0; i < entered.equations.size(); ++i) {
        const auto& equation = entered.equations[i];
        const bool inequality = slack[entered.basis[i]];
        const bool greater = inequality && Uniform(random, 0, 1) == 1;
        const Fraction sign = greater ? Q(-1) : Q(1);
        LpRow row{{},
            greater          ? Relation::GreaterOrEqual
                : inequality ? Relation::LessOrEqual
                             : Relation::Equal,
            sign * equation[0]};
        for (size_t k = 1; k < slack.size(); ++k) {
            if (!slack[k])
                row.coefficients.push_back(sign * equation[k]);
        }
        p.rows.push_back(row);
    }
    return forms;
}

TEST_F(LpFilesWithGlpk, GlpsolReadsOurFilesAndReachesTheStudentsOptimum)
{
    std::mt19937 random(20270127);
    int optimal = 0;
    int unbounded = 0;
    for (int trial = 0; trial < 150 && !HasFailure(); ++trial) {
        TwoForms forms = RandomTwoForms(random);
        ASSERT_EQ(FindLpProblemFault(forms.withInequalities), std::nullopt);
        const fs::path lp = directory / "problem.lp";
        std::ofstream(lp) << WriteLpProblem(forms.withInequalities);
        Outcome expected = RunGlpsol(lp, directory / "solution.txt");
        expected.objective += ToDouble(forms.withInequalities.freeTerm);
        bool sawBlockedColumn = false;
        Outcome actual = SolveAsStudent(BuildTestProblem(forms.canonical), sawBlockedColumn);
        ASSERT_EQ(actual.unbounded, expected.unbounded) << "trial " << trial;
        if (!expected.unbounded) {
            EXPECT_NEAR(
                actual.objective, expected.objective, 1e-9 * std::max(1.0, std::fabs(expected.objective)));
        }
        (expected.unbounded ? unbounded : optimal)++;
    }
    EXPECT_GT(optimal, 30);
    EXPECT_GT(unbounded, 10);
}

// Free MPS, the other format glpsol reads; the constant term of the objective is its right-hand side.
void WriteFreeMps(const LpProblem& p, const fs::path& file)
{
    auto number = [](const Fraction& v) {
        std::ostringstream text;
        text << std::setprecision(17) << ToDouble(v);
        return text.str();
    };
    const char* kinds[] = {"E", "L", "G"};
    std::ofstream out(file);
    out << "NAME random\nROWS\n N " << p.functionName << "\n";
    for (size_t i = 0; i < p.rows.size(); ++i)
        out << " " << kinds[static_cast<int>(p.rows[i].relation)] << " r" << i + 1 << "\n";
    out << "COLUMNS\n";
    for (size_t k = 0; k < p.unknownNames.size(); ++k) {
        out << " " << p.unknownNames[k] << " " << p.functionName << " " << number(p.objective[k]) << "\n";
        for (size_t i = 0; i < p.rows.size(); ++i) {
            if (!p.rows[i].coefficients[k].IsZero())
                out << " " << p.unknownNames[k] << " r" << i + 1 << " " << number(p.rows[i].coefficients[k])
                    << "\n";
        }
    }
    out << "RHS\n RHS1 " << p.functionName << " " << number(p.freeTerm) << "\n";
    for (size_t i = 0; i < p.rows.size(); ++i)
        out << " RHS1 r" << i + 1 << " " << number(p.rows[i].rightHandSide) << "\n";
    out << "ENDATA\n";
}

// A decimal as GLPK writes it in MPS, "1.5" or "1.5000000E-3", exactly.
Fraction DecimalValue(const std::string& text)
{
    const size_t e = text.find_first_of("eE");
    Fraction value = ParseFraction(text.substr(0, e));
    EXPECT_FALSE(value == InvalidFraction) << text;
    for (int exponent = e == std::string::npos ? 0 : std::stoi(text.substr(e + 1)); exponent != 0;) {
        value = value * (exponent > 0 ? Q(10) : Q(1, 10));
        exponent += exponent > 0 ? -1 : 1;
    }
    return value;
}

// GLPK's free MPS of a model without bounds or integers, its unknowns renamed x0, x1, ...
LpProblem ReadFreeMps(const fs::path& file)
{
    LpProblem p;
    std::map<std::string, int> rowIndex, unknownIndex;
    std::string objectiveRow, section, line;
    std::ifstream in(file);
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        if (line.empty() || line[0] == '*')
            continue;
        if (line[0] != ' ') {
            fields >> section;
            EXPECT_TRUE(section != "BOUNDS" && section != "RANGES") << file;
            continue;
        }
        std::string first, name, value, relation;
        if (section == "ROWS") {
            fields >> relation >> name;
            if (relation == "N") {
                objectiveRow = objectiveRow.empty() ? name : objectiveRow;
                continue;
            }
            const Relation relations[] = {Relation::Equal, Relation::LessOrEqual, Relation::GreaterOrEqual};
            rowIndex[name] = static_cast<int>(p.rows.size());
            p.rows.push_back({{}, relations[std::string("ELG").find(relation)], Q(0)});
            continue;
        }
        fields >> first;
        if (section == "COLUMNS" && !unknownIndex.contains(first)) {
            unknownIndex[first] = static_cast<int>(p.unknownNames.size());
            p.unknownNames.push_back("x" + std::to_string(p.unknownNames.size()));
            p.objective.push_back(Q(0));
            for (LpRow& row : p.rows)
                row.coefficients.push_back(Q(0));
        }
        while (fields >> name >> value) {
            Fraction v = DecimalValue(value);
            const bool objective = name == objectiveRow;
            if (section == "COLUMNS")
                (objective ? p.objective[unknownIndex[first]]
                           : p.rows[rowIndex[name]].coefficients[unknownIndex[first]]) = v;
            else if (section == "RHS")
                (objective ? p.freeTerm : p.rows[rowIndex[name]].rightHandSide) = v;
        }
    }
    return p;
}

// glpsol turns the problem into an LP file; reading it gives the problem back, the unknowns
// perhaps in another order (GLPK lists them as they first appear).
void ExpectGlpkWrittenFileReadsBack(const LpProblem& p, const fs::path& directory)
{
    const fs::path mps = directory / "problem.mps";
    const fs::path lp = directory / "glpk.lp";
    WriteFreeMps(p, mps);
    const std::string command = "glpsol --freemps '" + mps.string() + "' " + (p.isMax ? "--max" : "--min") +
        " --check --wlp '" + lp.string() + "' > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(lp);
    LpReadResult read = ReadLpProblem(std::string(std::istreambuf_iterator<char>(in), {}));
    ASSERT_TRUE(read.problem) << read.message;
    LpProblem inOurOrder = *read.problem;
    for (size_t k = 0; k < p.unknownNames.size(); ++k) {
        auto found = std::find(
            read.problem->unknownNames.begin(), read.problem->unknownNames.end(), p.unknownNames[k]);
        ASSERT_NE(found, read.problem->unknownNames.end()) << p.unknownNames[k];
        const size_t j = static_cast<size_t>(found - read.problem->unknownNames.begin());
        inOurOrder.unknownNames[k] = p.unknownNames[k];
        inOurOrder.objective[k] = read.problem->objective[j];
        for (size_t i = 0; i < p.rows.size(); ++i)
            inOurOrder.rows[i].coefficients[k] = read.problem->rows[i].coefficients[j];
    }
    EXPECT_TRUE(inOurOrder == p) << "see " << mps << " and " << lp;
}

TEST_F(LpFilesWithGlpk, FilesThatGlpsolWritesReadBackWithTheSameData)
{
    std::mt19937 random(20270128);
    for (int trial = 0; trial < 150 && !HasFailure(); ++trial) {
        // GLPK writes fifteen significant digits: enough for the short decimals.
        const int m = Uniform(random, 1, 8);
        LpProblem p = RandomLpProblem(random, m, Uniform(random, 1, 12), false, kShortDecimals);
        SCOPED_TRACE(testing::Message() << "trial " << trial);
        ExpectGlpkWrittenFileReadsBack(p, directory);
    }
    const fs::path examples = "/usr/share/doc/glpk-utils/examples";
    if (!fs::exists(examples))
        GTEST_SKIP() << "GLPK's examples are not installed";
    for (const std::string example :
        {"transp.mod", "spp.mod", "assign.mod", "diet.mod", "stigler.mod", "alloy.mps", "murtagh.mps"}) {
        SCOPED_TRACE(example);
        const fs::path mps = directory / "example.mps";
        const std::string format = example.ends_with(".mod") ? "--math" : "--mps";
        const std::string command = "glpsol " + format + " '" + (examples / example).string() +
            "' --check --wfreemps '" + mps.string() + "' > /dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0);
        LpProblem p = ReadFreeMps(mps);
        ExpectGlpkWrittenFileReadsBack(p, directory);
    }
}

} // namespace
