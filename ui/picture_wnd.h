#pragma once

#include <QByteArray>
#include <QImage>
#include <QWidget>

#include <functional>
#include <vector>

#include "core/path_picture.h"
#include "ui/picture_painter.h"

class QLabel;

// "График": the feasible region of a problem with two free unknowns and the path of the run
// through its corners, beside the table window. It follows the run table by table, stays when the
// run has ended, and saves itself as a PNG or SVG file. Under the picture, and in its accessible
// description, a line lists the corners of the path with their exact coordinates.
class CPictureWnd : public QWidget {
    Q_OBJECT

public:
    CPictureWnd(PathPicture picture, QWidget* parent);

    // The run has shown a table: the path through the corners of all its tables so far.
    void FollowRun(const std::vector<std::vector<TableValue>>& basicSolutions, PathEnd end);
    // Shows the window beside `table` (to its right where the screen has room, else to its left).
    void OpenBeside(const QWidget& table);
    // Shows the window again, in front.
    void ShowAgain();

    const PathPicture& Picture() const { return picture; }
    const PictureScene& Scene() const { return scene; }
    QString Description() const;
    QImage Render(const QSize& size) const;
    QByteArray Png(const QSize& size) const;
    // A PNG, or an SVG when the name ends in ".svg"; false when the file could not be written.
    bool SaveTo(const QString& path) const;

    // The picture's size in the report and in a saved file.
    static QSize FileSize() { return {560, 480}; }

private:
    void OnSaveAs();
    void Refresh();

    PathPicture picture;
    PictureScene scene;
    QWidget* canvas;
    QLabel* text;
};

// Asks where "Сохранить как..." writes, with the file name it suggests; an empty path when the
// student changed their mind. Tests put their own chooser in place of the file dialog; an empty
// one gives the dialog back. Returns the chooser it replaces.
using SaveFileChooser = std::function<QString(QWidget* parent, const QString& suggested)>;
SaveFileChooser SetSaveFileChooser(SaveFileChooser chooser);
