#pragma once

#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

#include "platform/tone.h"
#include "tests/ui/keyboard_student.h"
#include "ui/entry_dlg.h"
#include "ui/tutor_app.h"

// The answer of the three-table problem that RunFixture enters.
inline constexpr char kThreeTableAnswer[] = "x1 = 3, x2 = 1, x3 = 0, x4 = 0; F = 9";

// The wizard on screen with a problem typed into page 6; "Начать" runs the table window with a
// keyboard student answering every question. Tones are observed, not sounded.
class RunFixture : public testing::Test {
protected:
    void SetUp() override
    {
        CTutorApp::PrepareDialogs();
        previousObserver = SetToneObserver([this](int hz, int ms) { tones.push_back({hz, ms}); });
        wizard = std::make_unique<CEntryDlg>();
        wizard->show();
        student = std::make_unique<KeyboardStudent>(wizard->GetProblem());
    }
    void TearDown() override
    {
        wizard.reset();
        SetToneObserver(previousObserver);
    }

    ScopedModalResponder responder{[this](const ModalRequest& request) { return student->Answer(request); }};

    void Press(int id) { wizard->ControlAs<QPushButton>(id)->click(); }
    void Start() { Press(CEntryDlg::IDC_START); }
    bool StartEnabled() const { return wizard->Control(CEntryDlg::IDC_START)->isEnabled(); }
    CGridCtrl* WizardGrid(int id) const { return wizard->ControlAs<CGridCtrl>(id); }

    // Equations as rows of texts "a1 .. an = b", the objective as "c0 c1 .. cn".
    void EnterProblem(const std::vector<QStringList>& equations, const QStringList& objective,
                      const QString& sense = "Max")
    {
        const int m = static_cast<int>(equations.size());
        const int n = static_cast<int>(objective.size()) - 1;
        for (int p = 1; p < 4; ++p)
            Press(CEntryDlg::IDC_NEXT);
        wizard->SetControlText(CEntryDlg::IDC_EQUATIONS, QString::number(m));
        wizard->SetControlText(CEntryDlg::IDC_UNKNOWNS, QString::number(n));
        Press(CEntryDlg::IDC_NEXT);
        for (int k = 1; k <= n; ++k)
            WizardGrid(CEntryDlg::IDC_GRID)->SetCellText(1, k, "x" + QString::number(k));
        wizard->SetControlText(CEntryDlg::IDC_DESIGNATION, "F");
        Press(CEntryDlg::IDC_NEXT);
        ASSERT_EQ(wizard->Page(), 6);
        for (int i = 0; i < m; ++i) {
            for (int j = 0; j < equations[i].size(); ++j) {
                if (equations[i][j] != "=")
                    WizardGrid(CEntryDlg::IDC_GRID)->SetCellText(i + 1, j, equations[i][j]);
            }
        }
        for (int k = 0; k <= n; ++k)
            WizardGrid(CEntryDlg::IDC_OBJECTIVE_GRID)->SetCellText(1, k, objective[k]);
        wizard->SetControlText(CEntryDlg::IDC_SENSE, sense);
    }

    // Max F = 2x1 + 3x2 with two slack unknowns: three tables, the optimum 9 at x1 = 3, x2 = 1.
    void EnterThreeTableProblem(const QString& sense = "Max")
    {
        EnterProblem({{"1", "1", "1", "0", "=", "4"}, {"1", "3", "0", "1", "=", "6"}}, {"0", "2", "3", "0", "0"},
                     sense);
    }

    // The status line of the window when its run ended, and what it held then.
    struct RunEnd {
        QString status;
        QString title;
        int tableNumber = 0;
        std::vector<TableSnapshot> snapshots;
        bool keyRowEnabled = true;
        bool keyRowCaptionEnabled = true;
        int keyRowColumns = -1;
        bool solutionEnabled = false;
    };

    // Presses "Начать" and keeps what the window showed at the end of its run.
    RunEnd StartRun()
    {
        RunEnd end;
        std::function<void(CTableDlg&)> testsOwn = student->onRunEnded;
        student->onRunEnded = [&](CTableDlg& table) {
            if (testsOwn)
                testsOwn(table);
            end.status = table.ControlText(CTableDlg::IDC_STATUS);
            end.title = table.ControlText(CTableDlg::IDC_TITLE);
            end.tableNumber = table.TableNumber();
            end.snapshots = table.Snapshots();
            end.keyRowEnabled = table.KeyRowGrid()->isEnabled();
            end.keyRowCaptionEnabled = table.Control(CTableDlg::IDC_KEY_ROW_CAPTION)->isEnabled();
            end.keyRowColumns = table.KeyRowGrid()->GetColumnCount();
            end.solutionEnabled = table.Control(CTableDlg::IDC_SOLUTION)->isEnabled();
        };
        Start();
        student->onRunEnded = testsOwn;
        return end;
    }

    std::unique_ptr<CEntryDlg> wizard;
    std::unique_ptr<KeyboardStudent> student;
    std::vector<std::pair<int, int>> tones;
    ToneObserver previousObserver;
};
