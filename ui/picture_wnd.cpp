#include "ui/picture_wnd.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include <algorithm>

#include "core/captions.h"
#include "platform/modal.h"

namespace {

constexpr int kGap = 8;
const QSize kOpeningSize(520, 500);
constexpr int kLeastWidth = 320;

SaveFileChooser& Chooser()
{
    static SaveFileChooser chooser;
    return chooser;
}

QString AskWhereToSave(QWidget* parent, const QString& suggested)
{
    if (Chooser())
        return Chooser()(parent, suggested);
    return QFileDialog::getSaveFileName(parent, CPictureWnd::tr("Сохранить график"), suggested,
                                        CPictureWnd::tr("Рисунок PNG (*.png);;Рисунок SVG (*.svg)"));
}

bool IsSvg(const QString& path) { return QFileInfo(path).suffix().compare("svg", Qt::CaseInsensitive) == 0; }

// A name with no extension is given the PNG one.
QString WithExtension(const QString& path) { return QFileInfo(path).suffix().isEmpty() ? path + ".png" : path; }

// Paints the picture to fill the widget.
class Canvas : public QWidget {
public:
    Canvas(const PictureScene& scene, QWidget* parent) : QWidget(parent), scene(scene)
    {
        setMinimumSize(240, 200);
        setAccessibleName(CPictureWnd::tr("График"));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        PaintPicture(painter, rect(), scene);
    }

private:
    const PictureScene& scene;
};

} // namespace

SaveFileChooser SetSaveFileChooser(SaveFileChooser chooser)
{
    SaveFileChooser previous = std::move(Chooser());
    Chooser() = std::move(chooser);
    return previous;
}

CPictureWnd::CPictureWnd(PathPicture picture, QWidget* parent)
    : QWidget(parent, Qt::Window), picture(std::move(picture)), scene(MakeScene(this->picture))
{
    setWindowTitle(tr("График"));
    canvas = new Canvas(scene, this);
    text = new QLabel(this);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* save = new QPushButton(tr("Сохранить как..."), this);
    connect(save, &QPushButton::clicked, this, &CPictureWnd::OnSaveAs);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(canvas, 1);
    layout->addWidget(text);
    layout->addLayout(buttons);
    resize(kOpeningSize);
    Refresh();
}

void CPictureWnd::FollowRun(const std::vector<std::vector<TableValue>>& basicSolutions, PathEnd end)
{
    if (basicSolutions.size() == picture.path.size() && end == picture.end)
        return;
    FollowPath(picture, basicSolutions, end);
    scene = MakeScene(picture);
    Refresh();
}

QString CPictureWnd::Description() const { return QString::fromStdString(PathText(picture.path, picture.end)); }

void CPictureWnd::Refresh()
{
    const QString description = Description();
    text->setText(description);
    canvas->setAccessibleDescription(description);
    setAccessibleDescription(description);
    canvas->update();
}

void CPictureWnd::OpenBeside(const QWidget& table)
{
    const QRect frame = table.frameGeometry();
    const QScreen* screen = table.screen();
    const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), frame.size());
    const int roomRight = available.right() - frame.right() - kGap;
    const int roomLeft = frame.left() - available.left() - kGap;
    // Narrower rather than over the table, as long as the picture stays readable.
    int pictureWidth = std::min(kOpeningSize.width(), available.width());
    int x = available.right() - pictureWidth;
    if (roomRight >= kLeastWidth) {
        pictureWidth = std::min(pictureWidth, roomRight);
        x = frame.right() + kGap;
    } else if (roomLeft >= kLeastWidth) {
        pictureWidth = std::min(pictureWidth, roomLeft);
        x = frame.left() - kGap - pictureWidth;
    }
    resize(pictureWidth, std::min(kOpeningSize.height(), available.height() - 2 * kGap));
    const int y = std::clamp(frame.top(), available.top(), std::max(available.top(), available.bottom() - height()));
    move(x, y);
    // The student goes on answering in the table window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    show();
    setAttribute(Qt::WA_ShowWithoutActivating, false);
}

void CPictureWnd::ShowAgain()
{
    show();
    raise();
    activateWindow();
}

QImage CPictureWnd::Render(const QSize& size) const
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintPicture(painter, QRectF(QPointF(0, 0), size), scene);
    return image;
}

QByteArray CPictureWnd::Png(const QSize& size) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Render(size).save(&buffer, "PNG");
    return bytes;
}

bool CPictureWnd::SaveTo(const QString& path) const
{
    QByteArray bytes;
    if (IsSvg(path)) {
        QBuffer buffer(&bytes);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(FileSize());
        svg.setViewBox(QRect(QPoint(0, 0), FileSize()));
        svg.setTitle(tr("График"));
        svg.setDescription(Description());
        QPainter painter(&svg);
        PaintPicture(painter, QRectF(QPointF(0, 0), FileSize()), scene);
    } else {
        bytes = Png(FileSize());
    }
    // Written whole or not at all: an earlier file of that name stays as it was on a failure.
    QSaveFile file(path);
    return !bytes.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

void CPictureWnd::OnSaveAs()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString chosen = AskWhereToSave(this, QDir(folder).filePath(tr("График") + ".png"));
    if (chosen.isEmpty())
        return;
    const QString path = WithExtension(chosen);
    if (!SaveTo(path))
        MessageBox(tr("Не удалось сохранить график в файл\n%1").arg(QDir::toNativeSeparators(path)),
                   QString::fromStdString(ProgramName()),
                   MessageBoxIcon::Exclamation, MessageBoxButtons::Ok, this);
}
