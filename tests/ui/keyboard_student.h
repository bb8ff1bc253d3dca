#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "core/number_text.h"
#include "core/simplex.h"
#include "platform/modal.h"
#include "ui/basis_dlg.h"
#include "ui/element_dlg.h"
#include "ui/grid/grid_ctrl.h"
#include "ui/key_dlg.h"
#include "ui/table_dlg.h"

// A student at the keyboard: answers every question of a run on the real dialogs with key and
// mouse events, as the modal responder. Unless told otherwise the answers are right; scripted
// answers are given first, one per press of OK. Everything shown on the way is recorded.
class KeyboardStudent {
public:
    struct Shown {
        ModalKind kind;
        QString caption;
        QString text;
        MessageBoxIcon icon;
    };

    explicit KeyboardStudent(const Problem& problem) : problem(problem) {}

    // Scripted answers: a name ("" chooses nothing), a typed text, a typed number ("" empties
    // the field), a decision.
    std::deque<QString> basisAnswers;
    std::deque<QString> indexRowAnswers;
    std::deque<QString> keyRowAnswers;
    std::deque<QString> newTableAnswers;
    std::deque<QString> keyColumnAnswers;
    std::deque<QString> keyElementAnswers;
    // Answers to "Прервать решение задачи?"; No once they are spent.
    std::deque<bool> stopAnswers;
    std::deque<bool> decisions;
    // Called with every step dialog as it opens, before it is answered.
    std::function<void(CStepDlg&)> onQuestion;
    // Called once the run in a table window has ended, before the window is closed.
    std::function<void(CTableDlg&)> onRunEnded;
    // Answers any other dialog (the solution window); such a dialog is cancelled when unset.
    std::function<int(QDialog&)> onOtherDialog;

    std::vector<Shown> shown;
    // The title of the table window at every further-table question.
    QStringList titlesAsked;
    // The table window's state at the first key-row question.
    bool keyRowEnabledWhileAsked = false;
    int dialogsAnswered = 0;
    // The matrix row and column of the last element asked.
    std::pair<int, int> lastElement;

    int Answer(const ModalRequest& request)
    {
        shown.push_back({request.kind, request.caption, request.text, request.icon});
        if (request.kind == ModalKind::MessageBox)
            return AnswerMessage(static_cast<QMessageBox&>(*request.dialog), request);
        if (auto* table = qobject_cast<CTableDlg*>(request.dialog))
            return WatchRun(*table);
        auto* step = qobject_cast<CStepDlg*>(request.dialog);
        if (step == nullptr)
            return onOtherDialog ? onOtherDialog(*request.dialog) : IdCancel;
        ++dialogsAnswered;
        if (onQuestion)
            onQuestion(*step);
        if (auto* basis = qobject_cast<CBasisDlg*>(step))
            AnswerBasis(*basis);
        else if (auto* element = qobject_cast<CElementDlg*>(step))
            AnswerElement(*element);
        else if (auto* key = qobject_cast<CKeyDlg*>(step))
            AnswerKey(*key);
        return step->result();
    }

    QStringList MessageTexts() const { return Messages(&Shown::text); }
    QStringList MessageCaptions() const { return Messages(&Shown::caption); }
    QStringList Messages(QString Shown::*field) const
    {
        QStringList texts;
        for (const Shown& s : shown)
            if (s.kind == ModalKind::MessageBox)
                texts << s.*field;
        return texts;
    }

    static void Type(QWindow* window, const QString& text)
    {
        for (QChar ch : text)
            QTest::keyClick(window, ch.toLatin1());
    }

    static void ReplaceFieldText(QDialog& dialog, const QString& text)
    {
        QTest::keyClick(dialog.windowHandle(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Backspace);
        Type(dialog.windowHandle(), text);
    }

private:
    // Presses OK (Enter) until the dialog closes, at most a few times.
    template <class Give>
    void AnswerUntilClosed(QDialog& dialog, Give give)
    {
        for (int press = 0; press < 12 && dialog.isVisible(); ++press) {
            give();
            QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
        }
    }

    void AnswerBasis(CBasisDlg& dialog)
    {
        auto* names = dialog.ControlAs<QComboBox>(CBasisDlg::IDC_NAMES);
        const int equation = EquationAsked(dialog.ControlText(CBasisDlg::IDC_PROMPT));
        AnswerUntilClosed(dialog, [&] {
            QString name = QString::fromStdString(problem.unknownNames[problem.basis[equation]]);
            if (!basisAnswers.empty()) {
                name = basisAnswers.front();
                basisAnswers.pop_front();
            }
            names->setCurrentIndex(-1);
            const int index = names->findText(name);
            for (int down = 0; down <= index && !name.isEmpty(); ++down)
                QTest::keyClick(dialog.windowHandle(), Qt::Key_Down);
        });
    }

    void AnswerElement(CElementDlg& dialog)
    {
        // Named apart, not as a structured binding: clang 14 cannot capture one in a lambda.
        lastElement = ElementAsked(dialog.ControlText(CElementDlg::IDC_LABEL));
        const int row = lastElement.first;
        const int column = lastElement.second;
        const QString prompt = dialog.ControlText(CElementDlg::IDC_PROMPT);
        // The prompts in Russian or in English.
        const bool keyRow = prompt.contains("ключевой строки") || prompt.contains("pivot row");
        if (keyRow)
            keyRowEnabledWhileAsked = OwnerTable(dialog)->KeyRowGrid()->isEnabled();
        const bool newTable = prompt.contains("новой таблицы") || prompt.contains("new table");
        std::deque<QString>& scripted = keyRow ? keyRowAnswers : newTable ? newTableAnswers : indexRowAnswers;
        AnswerUntilClosed(dialog, [&] {
            QString text = QString::fromStdString(ToText(problem.DisplayValue(row, column)));
            if (!scripted.empty()) {
                text = scripted.front();
                scripted.pop_front();
            }
            ReplaceFieldText(dialog, text);
        });
    }

    void AnswerKey(CKeyDlg& dialog)
    {
        const bool columnMode = dialog.windowTitle() == "Выберите ключевой столбец"
                                || dialog.windowTitle() == "Choose the pivot column";
        std::deque<QString>& scripted = columnMode ? keyColumnAnswers : keyElementAnswers;
        AnswerUntilClosed(dialog, [&] {
            QString number = QString::number(columnMode ? RightKeyColumn() : FindKeyRow(problem, chosenColumn));
            if (!scripted.empty()) {
                number = scripted.front();
                scripted.pop_front();
            }
            ReplaceFieldText(dialog, number);
            if (columnMode)
                chosenColumn = number.toInt();
        });
    }

    int AnswerMessage(QMessageBox& box, const ModalRequest& request)
    {
        if (request.buttons != MessageBoxButtons::YesNo) {
            QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
            return IdOk;
        }
        if (request.text == "Прервать решение задачи?" || request.text == "Stop solving the problem?") {
            const bool stop = !stopAnswers.empty() && stopAnswers.front();
            if (!stopAnswers.empty())
                stopAnswers.pop_front();
            QTest::mouseClick(box.button(stop ? QMessageBox::Yes : QMessageBox::No), Qt::LeftButton);
            return stop ? IdYes : IdNo;
        }
        if (CTableDlg* table = OwnerTable(box))
            titlesAsked << table->ControlText(CTableDlg::IDC_TITLE);
        bool yes = RightDecision();
        if (!decisions.empty()) {
            yes = decisions.front();
            decisions.pop_front();
        }
        QTest::mouseClick(box.button(yes ? QMessageBox::Yes : QMessageBox::No), Qt::LeftButton);
        return yes ? IdYes : IdNo;
    }

    // Waits, as a student does, for the run to end, then closes the window with Escape.
    int WatchRun(CTableDlg& table)
    {
        if (!QTest::qWaitFor([&] { return table.RunEnded(); }, 60000))
            return IdCancel;
        if (onRunEnded)
            onRunEnded(table);
        QTest::keyClick(table.windowHandle(), Qt::Key_Escape);
        return table.result();
    }

    bool RightDecision() const
    {
        return ClassifyTable(problem) == StepStatus::Continue && !HasBlockedColumn(problem);
    }

    int RightKeyColumn() const
    {
        return ClassifyTable(problem) == StepStatus::Continue ? FindKeyColumn(problem) : FindAlternativeColumn(problem);
    }

    static CTableDlg* OwnerTable(QWidget& widget) { return qobject_cast<CTableDlg*>(widget.parentWidget()); }

    static int EquationAsked(const QString& prompt)
    {
        const QRegularExpressionMatch match = QRegularExpression("(\\d+) уравнении|equation (\\d+)").match(prompt);
        return (match.captured(1) + match.captured(2)).toInt();
    }

    // The element a label names: "Ind(c)=", "M(c)=", "B(i)=" or "A(i,k)=", as matrix row and column.
    std::pair<int, int> ElementAsked(const QString& label) const
    {
        const QRegularExpressionMatch match = QRegularExpression("(Ind|M|B|A)\\((\\d+)(?:,(\\d+))?\\)=").match(label);
        const QString kind = match.captured(1);
        if (kind == "Ind")
            return {problem.IndexRow(), match.captured(2).toInt() + 1};
        if (kind == "M")
            return {problem.MRow(), match.captured(2).toInt() + 1};
        if (kind == "B")
            return {match.captured(2).toInt(), 1};
        return {match.captured(2).toInt(), match.captured(3).toInt() + 1};
    }

    const Problem& problem;
    int chosenColumn = 0;
};
