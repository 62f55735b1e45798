// The clause grid: only the window's keys act on it, the current clause
// always looks selected and stays in view, captions and cells use their
// fonts, and a cell can be edited in place with its entry field's rules.
#include <QFontDatabase>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>

#include "settings/Fonts.h"
#include "test_mainwindow_kit.h"

using namespace vel;
using namespace vel::test;

namespace {

// The cell editor F2 opened on the grid's current cell.
ByteLineEdit* OpenEditor(ShownWindow& w) {
    w.FocusGrid();
    QTest::keyClick(w->grdMode, Qt::Key_F2);
    return qobject_cast<ByteLineEdit*>(QApplication::focusWidget());
}

bool CurrentLooksSelected(ShownWindow& w) {
    return w->grdMode->selectionModel()->isSelected(w->grdMode->currentIndex());
}

}  // namespace

class TestGrid : public QObject {
    Q_OBJECT
private slots:
    void keysOfTheViewDoNothing() {
        ShownWindow w;
        w.LoadLetters("abc");
        w.SetCursor(1);
        w.FocusGrid();
        QTest::keyClicks(w->grdMode, QStringLiteral("c"));  // no search by letters
        QCOMPARE(w->Table().CurrentRow(), 1);
        Clipboard()->setText(QStringLiteral("keep"));
        QTest::keyClick(w->grdMode, Qt::Key_Insert, Qt::ControlModifier);  // no copy of one cell
        QCOMPARE(Clipboard()->text(), QStringLiteral("keep"));
        QTest::keyClick(w->grdMode, Qt::Key_Tab);  // Tab moves the focus on
        QVERIFY(QApplication::focusWidget() != w->grdMode);
    }

    void theCurrentClauseAlwaysLooksSelected() {
        ShownWindow w;
        w.LoadLetters("ab");
        w.SetCursor(1);
        const QPoint below(10, w->grdMode->viewport()->height() - 3);
        QVERIFY(!w->grdMode->indexAt(below).isValid());
        QTest::mouseClick(w->grdMode->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(w->Table().CurrentRow(), 1);
        QVERIFY(CurrentLooksSelected(w));
        QTest::mouseClick(w->grdMode->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(CurrentLooksSelected(w));
    }

    void theCurrentRowIsScrolledIntoView() {
        ShownWindow w;
        std::vector<Clause> clauses;
        for (int i = 0; i < 500; ++i) clauses.push_back(MakeClause("r" + std::to_string(i)));
        w.Load(clauses);
        w.SetCursor(450);
        w.FocusGrid();
        w->mnuERemove->trigger();
        w.SetCursor(1);
        w->mnuEUndo->trigger();
        QCOMPARE(w->Table().CurrentRow(), 450);
        const QRect cell = w->grdMode->visualRect(w->grdMode->currentIndex());
        QVERIFY(w->grdMode->viewport()->rect().contains(cell));
    }

    void captionsUseTheRomanFontAndSmallTengwarIsEnlarged() {
        RegisterBundledTengwarFontIfNeeded();
        if (!QFontDatabase::families().contains(QStringLiteral("Velloran Tengwar")))
            QSKIP("another Tengwar font is installed");
        ShownWindow w;
        w->SetDisplayFonts(QStringLiteral("DejaVu Sans"), QStringLiteral("Velloran Tengwar"));
        const QFont caption = w->Model().headerData(0, Qt::Horizontal, Qt::FontRole).value<QFont>();
        QCOMPARE(caption.family(), QStringLiteral("DejaVu Sans"));
        // The bundled font's letters are much smaller than Roman ones.
        QVERIFY(w->Model().ColumnFont(ColTengwar).pointSizeF() > w->Model().ColumnFont(ColRoman).pointSizeF());
    }

    void enterOnTheFocusedAddButtonPressesIt() {
        ShownWindow w;
        w->txtEditField[0]->setText(QStringLiteral("a"));
        w->cmdAdd->setFocus();
        QTest::keyClick(w->cmdAdd, Qt::Key_Return);
        QCOMPARE(w.Romans(), std::string("a_"));
        QTest::keyClicks(w->txtEditField[0], QStringLiteral("b"));
        QTest::keyClick(w->txtEditField[0], Qt::Key_Return);  // Enter in a field still adds nothing
        QCOMPARE(w.Romans(), std::string("a_"));
    }

    void f2EditsACellAsOneStep() {
        ShownWindow w;
        w.LoadLetters("ab");
        w.Optimized();
        w.SetCursor(2, ColRoman);
        ByteLineEdit* editor = OpenEditor(w);
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("XY"));  // lowered: the mode is not case sensitive
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(w.Romans(), std::string("axy"));
        QVERIFY(w->Model().Document().Changed() && !w->Model().Document().Optimized());
        QCOMPARE(w->mnuEUndo->text(), QStringLiteral("&Undo Edit cell"));
        w->mnuEUndo->trigger();
        QCOMPARE(w.Romans(), std::string("ab"));

        // The marker key in column 2, and the column's limit of one.
        w.SetCursor(1, ColIfNextRoman);
        editor = OpenEditor(w);
        QVERIFY(editor);
        QCOMPARE(editor->maxLength(), 1);
        QTest::keyClick(editor, Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(editor->text(), QStringLiteral("\r"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(w->Table().Cell(1, ColIfNextRoman), std::string("\r"));

        // Esc cancels.
        w.SetCursor(1, ColTengwar);
        editor = OpenEditor(w);
        QTest::keyClicks(editor, QStringLiteral("zz"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(w->Table().Cell(1, ColTengwar), std::string("A"));
    }

    void editCommandsInTheCellEditorActOnItsText() {
        ShownWindow w;
        w.LoadLetters("ab");
        w.SetCursor(1, ColTengwar);
        ByteLineEdit* editor = OpenEditor(w);
        QVERIFY(editor);
        editor->selectAll();
        w->mnuECut->trigger();  // cuts the editor's text, not the clause
        QCOMPARE(Clipboard()->text(), QStringLiteral("A"));
        QCOMPARE(w->Table().ClauseCount(), 2);
        QTest::keyClicks(editor, QStringLiteral("q"));
        QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);  // the editor's own undo
        QCOMPARE(w->Table().ClauseCount(), 2);
        QVERIFY(!w->Model().Document().History().CanUndo());
    }
};

QTEST_MAIN(TestGrid)
#include "test_grid.moc"
