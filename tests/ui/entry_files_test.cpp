// Problems in LP files through the real wizard: file dialogs and messages answered on their
// widgets; a bad file, or a save that fails, changes nothing.
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

// Root reads and writes whatever the permissions say; without these capabilities this thread
// meets the permissions as any user does.
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

const QByteArray kProblem = "\\ a teacher's problem\nMinimize\n Ф: 2 x - 0.5 y + 0 z + 7\n"
                            "Subject To\n 2 x + y + z <= 4\n x - 3/2 y >= -1\n y = 1\nEnd\n";

class EntryFilesTest : public testing::Test {
protected:
    void SetUp() override
    {
        CTutorApp::PrepareDialogs();
        wizard = std::make_unique<CEntryDlg>();
        wizard->show();
    }

    // A file dialog gets chosenFile, a message box OK.
    ScopedModalResponder responder{[this](const ModalRequest& request) {
        if (auto* dialog = qobject_cast<QFileDialog*>(request.dialog)) {
            fileDialogs << dialog->windowTitle();
            dialog->selectFile(chosenFile);
            static_cast<QDialog*>(dialog)->done(QDialog::Accepted); // accept() would ask about a missing file
            return int(QDialog::Accepted);
        }
        messages << request.text;
        return IdOk;
    }};

    QString Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    }
    void Press(int id, const QString& file)
    {
        chosenFile = file;
        wizard->ControlAs<QPushButton>(id)->click();
    }
    CGridCtrl* Grid(int id) const { return wizard->ControlAs<CGridCtrl>(id); }
    std::string Said() const { return messages.join('/').toStdString(); }
    // What the student sees of the problem: the page, the fields, every cell row by row.
    std::string Shown() const
    {
        QStringList shown = {QString::number(wizard->Page())};
        for (int id : {IDC_EQUATIONS, IDC_UNKNOWNS, IDC_DESIGNATION, IDC_SENSE, IDC_FUNCTION_LABEL})
            shown << wizard->ControlText(id);
        for (CGridCtrl* grid : {Grid(IDC_GRID), Grid(IDC_OBJECTIVE_GRID)})
            for (int r = 0; r < grid->GetRowCount(); ++r)
                for (int c = 0; c < grid->GetColumnCount(); ++c)
                    shown.last() += (c == 0 ? "\n" : "|") + grid->GetCellText(r, c);
        return shown.join(' ').toStdString();
    }

    QTemporaryDir folder;
    std::unique_ptr<CEntryDlg> wizard;
    QString chosenFile;
    QStringList fileDialogs;
    QStringList messages;
};

TEST_F(EntryFilesTest, OpeningShowsTheProblemOnTheMatrixPage)
{
    EXPECT_FALSE(wizard->Control(IDC_SAVE)->isVisible());
    Press(IDC_OPEN, Write("задача.lp", kProblem));
    EXPECT_EQ(fileDialogs, QStringList("Открыть задачу"));
    EXPECT_EQ(Shown(), "6 3 3 Ф Min Ф(x)\nx|y|z|Знак|b\n2|1|1|<=|4\n1|-1.5|0|>=|-1\n0|1|0|=|1\nСв.чл.|x|y|z\n7|2|-0.5|0");
    EXPECT_TRUE(wizard->Control(IDC_SAVE)->isVisible());
    EXPECT_TRUE(wizard->Settings().generalProblems && LoadSettings().generalProblems);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("В задаче есть неравенства, поэтому включена настройка «Общая задача"));

    // A file dropped on the wizard takes the place of the first.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Write("b.LP", "max\n F: a\nst\n a = 1\nend\n"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(wizard.get(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(wizard.get(), &drop);
    ASSERT_TRUE(QTest::qWaitFor([&] { return wizard->ControlText(IDC_UNKNOWNS) == "1"; }));
    EXPECT_EQ(Shown(), "6 1 1 F Max F(x)\na|Знак|b\n1|=|1\nСв.чл.|a\n0|1");
}

TEST_F(EntryFilesTest, BadFilesAreRefusedAndTheWizardKeepsItsProblem)
{
    Press(IDC_OPEN, Write("good.lp", kProblem));
    Grid(IDC_GRID)->SetCellText(1, 0, "typed");
    const std::string before = Shown();
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
        {Write("sign.lp", "max\n F: x + y\nst\n x + y <= 4\n x + 2 y 5\nend\n"), "Строка 5: ожидался знак =, <= или >="},
    };
    const ScopedUserPermissions user;
    for (const auto& [path, reason] : cases) {
        messages.clear();
        Press(IDC_OPEN, path);
        EXPECT_EQ(Said(), ("Не удалось открыть задачу из файла\n" + path + "\n\n" + reason).toStdString());
        EXPECT_EQ(Shown(), before);
    }
}

TEST_F(EntryFilesTest, SavingChecksTheCellsAndWritesWholeOrNotAtAll)
{
    const QString earlier = Write("a.lp", kProblem);
    Press(IDC_OPEN, earlier);
    Grid(IDC_GRID)->SetCellText(2, 1, "1,5");
    fileDialogs.clear();
    messages.clear();
    Press(IDC_SAVE, earlier);
    EXPECT_EQ(Said(), "Неправильный формат данных для 2 переменной 2 уравнения");
    EXPECT_EQ(Grid(IDC_GRID)->GetFocusCell(), (CellPos{2, 1}));
    EXPECT_TRUE(fileDialogs.empty());

    // Ctrl+S from a cell being typed, which is taken first; in a folder that takes no file the
    // earlier file stays as it was.
    wizard->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(wizard.get()));
    Grid(IDC_GRID)->setFocus();
    QTest::keyClick(wizard->windowHandle(), Qt::Key_2);
    chosenFile = earlier;
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    {
        const ScopedUserPermissions user;
        QTest::keyClick(wizard->windowHandle(), Qt::Key_S, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return messages.size() == 2; }));
    }
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(messages[1], "Не удалось сохранить задачу в файл\n" + earlier +
                               "\n\nНет прав на запись в эту папку или в этот файл. Прежний файл, если он был, не изменён.");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList("a.lp"));
    QFile file(earlier);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kProblem);

    Press(IDC_SAVE, folder.filePath("saved")); // the dialog adds .lp
    LpProblem expected = *ReadLpFile(earlier).problem;
    expected.rows[1].coefficients[1] = Fraction(2);
    const LpFileRead saved = ReadLpFile(folder.filePath("saved.lp"));
    EXPECT_TRUE(saved.problem && *saved.problem == expected) << saved.message.toStdString();
    EXPECT_EQ(fileDialogs, QStringList({"Сохранить задачу", "Сохранить задачу"}));
}

TEST_F(EntryFilesTest, TheCommandLineOpensTheFileInTheWizard)
{
    QStringList shown;
    ScopedModalResponder atStart([&](const ModalRequest& request) {
        if (auto* started = qobject_cast<CEntryDlg*>(request.dialog)) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return started->Page() == 6; }));
            shown = {started->ControlText(IDC_EQUATIONS), started->ControlText(IDC_FUNCTION_LABEL)};
        }
        return IdCancel;
    });
    EXPECT_EQ(CTutorApp().Run(Write("b.lp", kProblem)), 0);
    EXPECT_EQ(shown, QStringList({"3", "Ф(x)"}));
}

} // namespace
