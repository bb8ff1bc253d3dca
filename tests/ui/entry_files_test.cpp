// Problems in LP files through the real wizard: the file dialogs and messages answered on their
// widgets, files of every kind of fault refused with the wizard unchanged.
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/modal.h"
#include "ui/entry_dlg.h"
#include "ui/grid/grid_ctrl.h"
#include "ui/lp_file.h"
#include "ui/settings_store.h"
#include "ui/tutor_app.h"

namespace {

using enum CEntryDlg::ControlId;

// Texts as gtest prints them readably.
std::string Lines(const QStringList& texts) { return texts.join("\n· ").toStdString(); }

// Root reads and writes whatever the permissions say. Without these capabilities this thread
// meets the permissions as any user does (nothing changes for a user who lacks them).
class ScopedUserPermissions {
public:
    ScopedUserPermissions()
    {
        syscall(SYS_capget, &header, saved);
        __user_cap_data_struct reduced[2] = {saved[0], saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, &header, reduced);
    }
    ~ScopedUserPermissions() { syscall(SYS_capset, &header, saved); }

private:
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved[2] = {};
};

const char kProblem[] = "\\ 2 x + y <= 4, x - 3/2 y >= -1, y = 1\n"
                        "Minimize\n Ф: 2 x - 0.5 y + 0 z + 7\n"
                        "Subject To\n 2 x + y + z <= 4\n x - 3/2 y >= -1\n y = 1\nEnd\n";

class EntryFilesTest : public testing::Test {
protected:
    void SetUp() override
    {
        CTutorApp::PrepareDialogs();
        wizard = std::make_unique<CEntryDlg>();
        wizard->show();
    }

    // File dialogs get chosenFile (none: cancelled), message boxes OK.
    ScopedModalResponder responder{[this](const ModalRequest& request) {
        if (auto* dialog = qobject_cast<QFileDialog*>(request.dialog)) {
            fileDialogs << dialog->windowTitle();
            if (chosenFile.isEmpty())
                return int(QDialog::Rejected);
            dialog->selectFile(chosenFile);
            static_cast<QDialog*>(dialog)->done(QDialog::Accepted); // accept() would ask about a missing file
            return int(QDialog::Accepted);
        }
        if (request.kind == ModalKind::MessageBox)
            messages << request.text;
        return IdOk;
    }};

    QString Write(const QString& name, const QByteArray& bytes) const
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    void Press(int id, const QString& file)
    {
        chosenFile = file;
        wizard->ControlAs<QPushButton>(id)->click();
    }
    CGridCtrl* Grid(int id) const { return wizard->ControlAs<CGridCtrl>(id); }
    QStringList Rows(int id) const
    {
        QStringList rows;
        for (int r = 0; r < Grid(id)->GetRowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < Grid(id)->GetColumnCount(); ++c)
                cells << Grid(id)->GetCellText(r, c);
            rows << cells.join('|');
        }
        return rows;
    }
    // What the student sees of the problem.
    QStringList Shown() const
    {
        QStringList shown = {QString::number(wizard->Page())};
        for (int id : {IDC_EQUATIONS, IDC_UNKNOWNS, IDC_DESIGNATION, IDC_SENSE, IDC_FUNCTION_LABEL})
            shown << wizard->ControlText(id);
        return shown + Rows(IDC_GRID) + Rows(IDC_OBJECTIVE_GRID);
    }
    static LpProblem Read(const QString& path)
    {
        LpFileRead read = ReadLpFile(path);
        EXPECT_TRUE(read.problem) << read.message.toStdString();
        return read.problem.value_or(LpProblem{});
    }

    QTemporaryDir folder;
    std::unique_ptr<CEntryDlg> wizard;
    QString chosenFile;
    QStringList fileDialogs;
    QStringList messages;
};

TEST_F(EntryFilesTest, OpeningShowsTheProblemOnTheMatrixPage)
{
    EXPECT_TRUE(wizard->Control(IDC_OPEN)->isVisible());
    EXPECT_FALSE(wizard->Control(IDC_SAVE)->isVisible());
    Press(IDC_OPEN, Write("задача.lp", kProblem));
    EXPECT_EQ(fileDialogs, QStringList({"Открыть задачу"}));
    EXPECT_EQ(Shown(), QStringList({"6", "3", "3", "Ф", "Min", "Ф(x)", "x|y|z|Знак|b", "2|1|1|<=|4", "1|-1.5|0|>=|-1",
                                    "0|1|0|=|1", "Св.чл.|x|y|z", "7|2|-0.5|0"}));
    EXPECT_TRUE(wizard->Control(IDC_SAVE)->isVisible());
    EXPECT_TRUE(wizard->Settings().generalProblems);
    EXPECT_TRUE(LoadSettings().generalProblems);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("В задаче есть неравенства, поэтому включена настройка «Общая задача"));

    // A dropped file takes the place of the first; the names page shows its names.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Write("b.lp", "max\n F: a\nst\n a = 1\nend\n"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(wizard.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(wizard.get(), &drop);
    ASSERT_TRUE(QTest::qWaitFor([&] { return wizard->ControlText(IDC_UNKNOWNS) == "1"; }));
    EXPECT_EQ(Shown(), QStringList({"6", "1", "1", "F", "Max", "F(x)", "a|Знак|b", "1|=|1", "Св.чл.|a", "0|1"}));
    wizard->ControlAs<QPushButton>(IDC_BACK)->click();
    EXPECT_EQ(Rows(IDC_GRID), QStringList({"№ Переменной|1", "Обозначение|a"}));
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(EntryFilesTest, BadFilesAreRefusedAndTheWizardKeepsItsProblem)
{
    Press(IDC_OPEN, Write("good.lp", kProblem));
    Grid(IDC_GRID)->SetCellText(1, 0, "typed");
    const QStringList before = Shown();

    QFile huge(Write("huge.lp", ""));
    ASSERT_TRUE(huge.resize(qint64(1) << 32)); // sparse: only a reader that reads it whole waits
    QFile locked(Write("locked.lp", kProblem));
    locked.setPermissions(QFileDevice::WriteOwner);
    QDir(folder.path()).mkdir("folder.lp");
    const std::pair<QString, QString> cases[] = {
        {folder.filePath("missing.lp"), "Такого файла нет"},
        {folder.filePath("folder.lp"), "Это папка, а не файл"},
        {"/dev/zero", "Это не обычный файл"},
        {locked.fileName(), "Нет прав на чтение файла"},
        {huge.fileName(), "Файл больше 1 МБ: это не задача"},
        {Write("empty.lp", ""), "Файл пуст"},
        {Write("binary.lp", QByteArray("Maximize\n x\0\1", 13)), "Файл не текстовый"},
        {Write("cp1251.lp", "Maximize\n F: x\nSubject To\n \xF5 <= 1\nEnd\n"), "Строка 4: текст не в кодировке UTF-8"},
        {Write("sign.lp", "max\n F: x + y\nst\n c1: x + y <= 4\n c2: x + 2 y 5\nend\n"),
         "Строка 5: ожидался знак =, <= или >="},
    };
    const ScopedUserPermissions user;
    for (const auto& [path, reason] : cases) {
        messages.clear();
        Press(IDC_OPEN, path);
        EXPECT_EQ(Lines(messages), Lines({"Не удалось открыть задачу из файла\n" + path + "\n\n" + reason}));
        EXPECT_EQ(Lines(Shown()), Lines(before)) << reason.toStdString();
    }
}

TEST_F(EntryFilesTest, SavingChecksTheCellsAndWritesAFileThatReadsBack)
{
    const QString opened = Write("a.lp", kProblem);
    Press(IDC_OPEN, opened);
    Grid(IDC_GRID)->SetCellText(2, 1, "1,5");
    fileDialogs.clear();
    messages.clear();
    Press(IDC_SAVE, folder.filePath("saved.lp"));
    EXPECT_EQ(messages, QStringList("Неправильный формат данных для 2 переменной 2 уравнения"));
    EXPECT_EQ(Grid(IDC_GRID)->GetFocusCell(), (CellPos{2, 1}));
    EXPECT_TRUE(fileDialogs.empty());
    EXPECT_EQ(wizard->EntryFailures(), 0);

    // Ctrl+S saves from a cell being typed, which is taken first.
    wizard->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(wizard.get()));
    Grid(IDC_GRID)->setFocus();
    Grid(IDC_GRID)->SetFocusCell(2, 1);
    QTest::keyClick(wizard->windowHandle(), Qt::Key_2);
    chosenFile = folder.filePath("saved"); // the dialog adds .lp
    QTest::keyClick(wizard->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fileDialogs.empty(); }));
    EXPECT_EQ(fileDialogs, QStringList("Сохранить задачу"));
    LpProblem expected = Read(opened);
    expected.rows[1].coefficients[1] = Fraction(2);
    EXPECT_TRUE(Read(folder.filePath("saved.lp")) == expected);
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(EntryFilesTest, AFailedSaveLeavesTheEarlierFile)
{
    const QString earlier = Write("a.lp", "\\ the teacher's own\n" + QByteArray(kProblem));
    Press(IDC_OPEN, earlier);
    Grid(IDC_GRID)->SetCellText(1, 0, "5");
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    messages.clear();
    {
        const ScopedUserPermissions user;
        Press(IDC_SAVE, earlier);
    }
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(messages, QStringList("Не удалось сохранить задачу в файл\n" + earlier +
                                    "\n\nНет прав на запись в эту папку или в этот файл. Прежний файл, если он был, "
                                    "не изменён."));
    QFile file(earlier);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "\\ the teacher's own\n" + QByteArray(kProblem));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList("a.lp"));
}

TEST_F(EntryFilesTest, TheCommandLineOpensTheFileInTheWizard)
{
    const QString path = Write("b.lp", kProblem);
    QStringList shown;
    ScopedModalResponder atStart([&](const ModalRequest& request) {
        if (auto* started = qobject_cast<CEntryDlg*>(request.dialog)) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return started->Page() == 6; }));
            shown = {started->ControlText(IDC_EQUATIONS), started->ControlText(IDC_FUNCTION_LABEL)};
            return IdCancel;
        }
        return IdOk;
    });
    EXPECT_EQ(CTutorApp().Run(path), 0);
    EXPECT_EQ(shown, QStringList({"3", "Ф(x)"}));
}

} // namespace
