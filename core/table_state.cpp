#include "core/table_state.h"
#include "core/texts.h"

namespace {

// "M", "-M", "2M", "1/2M".
std::string MultipleOfMText(const TableValue& value, DisplayMode mode)
{
    if (value == TableValue(Fraction(1)))
        return "M";
    if (value == TableValue(Fraction(-1)))
        return "-M";
    return ToDisplayText(value, mode) + "M";
}

} // namespace

std::string CellText(const TableCell& cell, DisplayMode mode)
{
    switch (cell.kind) {
    case TableCell::Kind::Empty:
        return {};
    case TableCell::Kind::Hidden:
        return "?";
    case TableCell::Kind::Value:
        return ToDisplayText(cell.value, mode);
    case TableCell::Kind::AtM:
        return MultipleOfMText(cell.value, mode);
    case TableCell::Kind::Name:
    case TableCell::Kind::Label:
        break;
    }
    return cell.text;
}

bool operator==(const TableCell& a, const TableCell& b)
{
    const bool valued = a.kind == TableCell::Kind::Value || a.kind == TableCell::Kind::AtM;
    return a.kind == b.kind && a.mark == b.mark && a.text == b.text && (!valued || a.value == b.value);
}

namespace {

uint64_t NewVersion()
{
    static uint64_t last = 0;
    return ++last;
}

} // namespace

TableView::TableView(int equationCount, int unknownCount, bool withMRow)
    : equationCount(equationCount),
      unknownCount(unknownCount),
      withMRow(withMRow),
      version(NewVersion()),
      rows(equationCount + (withMRow ? 4 : 3), TableRow(unknownCount))
{
}

bool TableView::Contains(TablePlace place) const
{
    return place.row >= TablePlace::HeadingRow && place.row <= LastRow() &&
           place.column >= TablePlace::PriceColumn && place.column <= unknownCount + 1;
}

void TableView::ClearMarks()
{
    ForEachPlace([this](TablePlace place) { At(place).mark = CellMark::None; });
}

TableView MakeTableView(const Problem& problem, bool firstTable)
{
    const int m = problem.equationCount;
    const int n = problem.workUnknownCount;
    constexpr int heading = TablePlace::HeadingRow;
    constexpr int price = TablePlace::PriceColumn;
    constexpr int basis = TablePlace::BasisColumn;
    TableView view(m, n, problem.HasMRow());
    view.At({heading, price}) = TableCell::Labelled(Tr("Table", "Цены"));
    view.At({heading, basis}) = TableCell::Labelled(Tr("Table", "Базис"));
    view.At({heading, 1}) = TableCell::Labelled(Tr("Table", "Св.чл."));
    view.At({0, 1}) = TableCell::Of(problem.freeTerm);
    for (int k = 1; k <= n; ++k) {
        view.At({0, k + 1}) = problem.artificial[k] ? TableCell::TimesM(problem.DisplayPriceAtM(k))
                                                    : TableCell::Of(problem.DisplayValue(0, k + 1));
        view.At({heading, k + 1}) = TableCell::Named(problem.unknownNames[k]);
    }
    for (int i = 1; i <= m; ++i) {
        view.At({i, price}) = firstTable ? TableCell::Hidden() : PriceCell(problem, i);
        view.At({i, basis}) = firstTable ? TableCell::Hidden() : TableCell::Named(problem.unknownNames[problem.basis[i]]);
    }
    for (int i = 1; i <= view.LastRow(); ++i) {
        const bool hidden = firstTable && i > m;
        for (int c = 1; c <= n + 1; ++c) {
            TableCell& cell = view.At({i, c});
            cell.kind = hidden ? TableCell::Kind::Hidden : TableCell::Kind::Value;
            if (!hidden)
                cell.value = problem.DisplayValue(i, c);
        }
    }
    view.At({m + 1, price}) = TableCell::Labelled("***");
    view.At({m + 1, basis}) = TableCell::Labelled(Tr("Table", "ИС"));
    if (view.HasMRow())
        view.At({m + 2, basis}) = TableCell::Labelled("M");
    return view;
}

TableCell PriceCell(const Problem& problem, int equation)
{
    if (problem.artificial[problem.basis[equation]])
        return TableCell::TimesM(problem.PriceAtM(equation));
    return TableCell::Of(problem.Price(equation));
}

std::string TableTitle(const Problem& problem, int tableNumber)
{
    return Fill(Tr("Table", "%1-я симплексная таблица (%2-%3)"),
                {std::to_string(tableNumber), problem.functionName, problem.isMax ? "MAX" : "MIN"});
}
