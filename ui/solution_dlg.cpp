#include "ui/solution_dlg.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "platform/fonts.h"
#include "platform/modal.h"
#include "report/report_writer.h"
#include "ui/grid/grid_ctrl.h"
#include "ui/table_grids.h"

namespace {

// Room between one table and the next title.
constexpr int kTableSpacing = 12;

// A grid as large as its table, so that the window scrolls them all as one page.
void FitToTable(CGridCtrl& grid)
{
    grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int width = 2 * grid.frameWidth();
    for (int c = 0; c < grid.GetColumnCount(); ++c)
        width += grid.GetColumnWidth(c);
    int height = 2 * grid.frameWidth();
    for (int r = 0; r < grid.GetRowCount(); ++r)
        height += grid.GetRowHeight(r);
    grid.setFixedSize(width, height);
}

} // namespace

const DialogTemplate& CSolutionDlg::Template()
{
    static const DialogTemplate layout{
        QT_TRANSLATE_NOOP("Dialogs", "Решение программы"), 436, 220, "MS Sans Serif", 8, {}, {}, true};
    return layout;
}

CSolutionDlg::CSolutionDlg(const Solution& solution, const Problem& problem, DisplayMode mode, int columnWidth,
                           QWidget* parent)
    : TemplateDialog(Template(), parent)
{
    auto* sheet = new QWidget;
    auto* tables = new QVBoxLayout(sheet);
    tables->setSpacing(0);
    for (size_t t = 0; t < solution.tables.size(); ++t) {
        const QString title = QString::fromStdString(TableTitle(problem, static_cast<int>(t) + 1));
        AddTable(*sheet, solution.tables[t], title, mode, columnWidth);
    }
    tables->addSpacing(kTableSpacing / 2);
    answer = new QLabel(QString::fromStdString(solution.answer), sheet);
    answer->setFont(MakeFont("Times New Roman", 11, 600, FontCharset::Cyrillic));
    answer->setWordWrap(true);
    answer->setTextInteractionFlags(Qt::TextSelectableByMouse);
    tables->addWidget(answer);
    tables->addStretch();

    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setWidget(sheet);
    auto* close = new QPushButton("OK");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, [this] { OnOK(); });
    auto* frame = new QVBoxLayout(ClientArea());
    frame->addWidget(scroll);
    frame->addWidget(close, 0, Qt::AlignRight);
    if (!grids.empty())
        grids.front()->setFocus();
}

void CSolutionDlg::AddTable(QWidget& sheet, const TableView& table, const QString& title, DisplayMode mode,
                            int columnWidth)
{
    auto* label = new QLabel(title, &sheet);
    label->setAlignment(Qt::AlignCenter);
    auto* grid = new CGridCtrl(&sheet);
    SetUpTableGrid(*grid, table.LastRow(), table.UnknownCount(), columnWidth);
    ShowTableView(*grid, table, mode);
    FitToTable(*grid);
    label->setFixedWidth(grid->width());
    grid->setAccessibleName(title);
    auto* tables = static_cast<QVBoxLayout*>(sheet.layout());
    if (!grids.empty())
        tables->addSpacing(kTableSpacing);
    tables->addWidget(label);
    tables->addWidget(grid);
    grids.push_back(grid);
    titles.push_back(label);
}

QStringList CSolutionDlg::Titles() const
{
    QStringList texts;
    for (const QLabel* title : titles)
        texts << title->text();
    return texts;
}

QString CSolutionDlg::Answer() const { return answer->text(); }
