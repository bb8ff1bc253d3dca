#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/number_text.h"
#include "tests/ui/run_fixture.h"
#include "ui/picture_wnd.h"

namespace {

Fraction F(int64_t numerator, int64_t denominator = 1)
{
    Fraction f(0, numerator, denominator);
    f.Reduce();
    f.NormalizeSign();
    return f;
}

struct PictureCase {
    const char* name;
    std::vector<PlaneConstraint> constraints;
    std::vector<std::vector<TableValue>> corners; // the path, as basic solutions of (u, v)
    PathEnd end;
    const char* description;
    int gradientV = 1; // F = 2u + gradientV·v
};

const PictureCase kCases[] = {
    {"bounded",
     {{F(1), F(1), Relation::LessOrEqual, F(4), 1}, {F(1), F(3), Relation::LessOrEqual, F(6), 2}},
     {{F(0), F(0)}, {F(0), F(2)}, {F(3), F(1)}},
     PathEnd::Optimum,
     "Вершины: 1) (0; 0), 2) (0; 2), 3) (3; 1) — оптимум",
     3},
    {"unbounded",
     {{F(1), F(-1), Relation::LessOrEqual, F(1), 1}, {F(-2), F(1), Relation::LessOrEqual, F(2), 2}},
     {{F(0), F(0)}, {F(1), F(0)}},
     PathEnd::Unbounded,
     "Вершины: 1) (0; 0), 2) (1; 0) — функция не ограничена"},
    {"degenerate, three lines through a corner and a table that stays at it",
     {{F(1), F(1), Relation::LessOrEqual, F(2), 1}, {F(1), F(0), Relation::LessOrEqual, F(2), 2},
      {F(2), F(1), Relation::LessOrEqual, F(4), 3}, {F(1), F(2), Relation::LessOrEqual, F(7, 2), 4}},
     {{F(0), F(0)}, {F(2), F(0)}, {F(2), F(0)}},
     PathEnd::Optimum,
     "Вершины: 1) (0; 0), 2) (2; 0), 3) (2; 0) — оптимум"},
};

PathPicture PictureOf(const PictureCase& c)
{
    PlaneProblem plane;
    plane.axisUnknowns = {1, 2};
    plane.axisNames = {"x1", "x2"};
    plane.constraints = c.constraints;
    plane.gradientU = F(2);
    plane.gradientV = F(c.gradientV);
    return MakePathPicture(plane);
}

TEST(PictureWindow, DrawsEveryCornerOfThePathInTheVertexColourAndListsThem)
{
    for (const PictureCase& c : kCases) {
        SCOPED_TRACE(c.name);
        CPictureWnd window(PictureOf(c), nullptr);
        window.FollowRun(c.corners, c.end);
        EXPECT_EQ(window.Description().toStdString(), c.description);
        EXPECT_EQ(window.accessibleDescription(), window.Description());
        for (const QSize size : {QSize(500, 420), QSize(260, 600)}) {
            const QImage image = window.Render(size);
            int regionPixels = 0;
            for (int y = 0; y < image.height(); y += 4)
                for (int x = 0; x < image.width(); x += 4)
                    regionPixels += image.pixelColor(x, y) == kRegionColour;
            EXPECT_GT(regionPixels, image.width() * image.height() / 16 / 20) << "the region is filled";
            for (QPointF corner : window.Scene().path) {
                const QPoint at = ToScreen(window.Scene(), QRectF(QPointF(0, 0), size), corner).toPoint();
                EXPECT_EQ(image.pixelColor(at), kVertexColour) << corner.x() << "; " << corner.y();
            }
        }
    }
}

TEST(PictureWindow, SavesAsPngAndSvg)
{
    QTemporaryDir folder;
    CPictureWnd window(PictureOf(kCases[0]), nullptr);
    window.FollowRun(kCases[0].corners, kCases[0].end);
    QString chosen;
    const SaveFileChooser previous = SetSaveFileChooser([&](QWidget*, const QString&) { return chosen; });
    auto* save = window.findChild<QPushButton*>();
    for (const char* name : {"picture", "picture.svg"}) {
        chosen = folder.filePath(name);
        save->click();
    }
    SetSaveFileChooser(previous);
    EXPECT_EQ(QImage(folder.filePath("picture.png")).size(), CPictureWnd::FileSize());
    QFile svg(folder.filePath("picture.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_TRUE(text.contains("<svg") && text.contains("3) (3; 1)"));
}

class PictureRunTest : public RunFixture {};

// The three-table problem has two free unknowns; the window opens with the run and follows it.
TEST_F(PictureRunTest, OpensBesideTheTableAndFollowsTheRun)
{
    EnterThreeTableProblem();
    QStringList seen;
    student->onQuestion = [&](CStepDlg& question) {
        CPictureWnd* picture = qobject_cast<CTableDlg*>(question.parentWidget())->Picture();
        if (picture && picture->isVisible() && !seen.contains(picture->Description()))
            seen << picture->Description();
    };
    student->onRunEnded = [&](CTableDlg& table) {
        ASSERT_TRUE(table.Control(CTableDlg::IDC_PICTURE)->isEnabled());
        CPictureWnd* picture = table.Picture();
        seen << picture->Description();
        picture->close();
        table.ControlAs<QPushButton>(CTableDlg::IDC_PICTURE)->click();
        EXPECT_TRUE(picture->isVisible());
    };
    EXPECT_TRUE(StartRun().status.startsWith("Задача успешно решена: "));
    EXPECT_EQ(seen, QStringList({"Вершины: 1) (0; 0)", "Вершины: 1) (0; 0), 2) (0; 2)",
                                 "Вершины: 1) (0; 0), 2) (0; 2), 3) (3; 1) — оптимум"}));
}

TEST_F(PictureRunTest, NoPictureWithoutTwoFreeUnknowns)
{
    EnterProblem({{"2", "1", "=", "4"}}, {"0", "3", "1"});
    student->onRunEnded = [](CTableDlg& table) {
        EXPECT_EQ(table.Picture(), nullptr);
        EXPECT_FALSE(table.Control(CTableDlg::IDC_PICTURE)->isEnabled());
    };
    EXPECT_TRUE(StartRun().status.startsWith("Задача успешно решена: "));
}

} // namespace
