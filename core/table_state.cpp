#include "core/table_state.h"

std::string CellText(const TableCell& cell, DisplayMode mode)
{
    switch (cell.kind) {
    case TableCell::Kind::Empty:
        return {};
    case TableCell::Kind::Hidden:
        return "?";
    case TableCell::Kind::Value:
        return ToDisplayText(cell.value, mode);
    case TableCell::Kind::Name:
    case TableCell::Kind::Label:
        break;
    }
    return cell.text;
}

bool operator==(const TableCell& a, const TableCell& b)
{
    return a.kind == b.kind && a.mark == b.mark && a.text == b.text &&
           (a.kind != TableCell::Kind::Value || a.value == b.value);
}

namespace {

uint64_t NewVersion()
{
    static uint64_t last = 0;
    return ++last;
}

} // namespace

TableView::TableView(int equationCount, int unknownCount)
    : equationCount(equationCount),
      unknownCount(unknownCount),
      version(NewVersion()),
      rows(equationCount + 3, TableRow(unknownCount))
{
}

bool TableView::Contains(TablePlace place) const
{
    return place.row >= TablePlace::HeadingRow && place.row <= IndexRow() &&
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
    TableView view(m, n);
    view.At({heading, price}) = TableCell::Labelled("Цены");
    view.At({heading, basis}) = TableCell::Labelled("Базис");
    view.At({heading, 1}) = TableCell::Labelled("Св.чл.");
    view.At({0, 1}) = TableCell::Of(problem.freeTerm);
    for (int k = 1; k <= n; ++k) {
        view.At({0, k + 1}) = TableCell::Of(problem.DisplayValue(0, k + 1));
        view.At({heading, k + 1}) = TableCell::Named(problem.unknownNames[k]);
    }
    for (int i = 1; i <= m; ++i) {
        view.At({i, price}) = firstTable ? TableCell::Hidden() : TableCell::Of(problem.Price(i));
        view.At({i, basis}) = firstTable ? TableCell::Hidden() : TableCell::Named(problem.unknownNames[problem.basis[i]]);
    }
    for (int i = 1; i <= m + 1; ++i) {
        const bool hidden = firstTable && i == m + 1;
        for (int c = 1; c <= n + 1; ++c) {
            TableCell& cell = view.At({i, c});
            cell.kind = hidden ? TableCell::Kind::Hidden : TableCell::Kind::Value;
            if (!hidden)
                cell.value = problem.DisplayValue(i, c);
        }
    }
    view.At({m + 1, price}) = TableCell::Labelled("***");
    view.At({m + 1, basis}) = TableCell::Labelled("ИС");
    return view;
}

std::string TableTitle(const Problem& problem, int tableNumber)
{
    return std::to_string(tableNumber) + "-я симплексная таблица (" + problem.functionName + "-" +
           (problem.isMax ? "MAX" : "MIN") + ")";
}
