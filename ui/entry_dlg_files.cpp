// The wizard's problems in LP files: "Открыть..." and "Сохранить...", a file dropped on the
// wizard, and the file named on the command line.
#include "ui/entry_dlg.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include "core/captions.h"
#include "core/lp_entry.h"
#include "platform/file_dialog.h"
#include "platform/modal.h"
#include "ui/grid/grid_ctrl.h"
#include "ui/lp_file.h"
#include "ui/settings_store.h"

namespace {

QString FileFilter() { return CEntryDlg::tr("Задачи ЛП (*.lp)"); }
QString OpenCaption() { return CEntryDlg::tr("Открытие задачи"); }
QString SaveCaption() { return CEntryDlg::tr("Сохранение задачи"); }

QString DocumentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

// The .lp file that a drop brings, or nothing.
QString DroppedProblemFile(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().first();
    if (!url.isLocalFile() || !url.toLocalFile().endsWith(".lp", Qt::CaseInsensitive))
        return {};
    return url.toLocalFile();
}

} // namespace

void CEntryDlg::InitFileCommands()
{
    ControlAs<QPushButton>(IDC_OPEN)->setShortcut(QKeySequence::Open);
    ControlAs<QPushButton>(IDC_SAVE)->setShortcut(QKeySequence::Save);
    setAcceptDrops(true);
    // A file dropped on a field is the wizard's to open, not text for the field.
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        edit->setAcceptDrops(false);
}

// A cell still being typed is taken first, as leaving it would take it.
void CEntryDlg::EndEditing()
{
    MatrixGrid()->EndEditing();
    ObjectiveGrid()->EndEditing();
}

void CEntryDlg::OnOpen()
{
    const QString start = problemFile.isEmpty() ? DocumentsFolder() : problemFile;
    const QString path = ChooseFileToOpen(this, tr("Открыть задачу"), FileFilter(), start);
    if (!path.isEmpty())
        OpenFile(path);
}

bool CEntryDlg::OpenFile(const QString& path)
{
    EndEditing();
    const LpFileRead read = ReadLpFile(path);
    if (!read.problem) {
        MessageBox(tr("Не удалось открыть задачу из файла\n%1\n\n%2")
                       .arg(QDir::toNativeSeparators(path), read.message),
                   OpenCaption(), MessageBoxIcon::Exclamation);
        return false;
    }
    problemFile = QFileInfo(path).absoluteFilePath();
    // The setting goes on before the matrix page shows, so that its sign column takes the signs.
    const bool switchOn = HasInequalities(*read.problem) && !settings.generalProblems;
    if (switchOn) {
        settings.generalProblems = true;
        SaveSettings(settings);
    }
    ShowEntry(ToEntryTexts(*read.problem));
    if (switchOn) {
        MessageBox(tr("В задаче есть неравенства, поэтому включена настройка «Общая задача (неравенства, "
                      "искусственный базис)».\nЕё можно выключить в меню «Настройки» → «Прочие»."),
                   QString::fromStdString(ProgramName()), MessageBoxIcon::Information);
    }
    return true;
}

// The cells are checked as "Начать" checks them, without counting; then the problem must be one
// that a file can hold.
void CEntryDlg::OnSave()
{
    EndEditing();
    const EntryTexts texts = CollectEntryTexts();
    if (std::optional<EntryVerdict> verdict = CheckCellFormats(texts)) {
        ShowVerdict(*verdict);
        return;
    }
    const LpReadResult built = ToLpProblem(texts, settings.generalProblems);
    const std::optional<std::string> fault = built.problem ? FindLpProblemFault(*built.problem) : built.message;
    if (fault) {
        MessageBox(tr("Задачу нельзя сохранить.\n%1").arg(QString::fromStdString(*fault)), SaveCaption(),
                   MessageBoxIcon::Exclamation);
        return;
    }
    const QString start = problemFile.isEmpty() ? DocumentsFolder() + "/" + tr("задача") + ".lp" : problemFile;
    const QString path = ChooseFileToSave(this, tr("Сохранить задачу"), FileFilter(), start, "lp");
    if (path.isEmpty())
        return;
    if (std::optional<QString> failure = WriteLpFile(path, *built.problem)) {
        const QString message = tr("Не удалось сохранить задачу в файл\n%1\n\n%2. "
                                   "Прежний файл, если он был, не изменён.");
        MessageBox(message.arg(QDir::toNativeSeparators(path), *failure), SaveCaption(), MessageBoxIcon::Exclamation);
        return;
    }
    problemFile = QFileInfo(path).absoluteFilePath();
}

void CEntryDlg::dragEnterEvent(QDragEnterEvent* event)
{
    if (runActive && !DroppedProblemFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CEntryDlg::dropEvent(QDropEvent* event)
{
    const QString path = DroppedProblemFile(event->mimeData());
    if (!runActive || path.isEmpty())
        return;
    event->acceptProposedAction();
    // The drop ends first, so that the program it came from is not kept waiting by a message.
    QTimer::singleShot(0, this, [this, path] { OpenFile(path); });
}
