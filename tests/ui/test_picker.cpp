// The special character picker: its grid and label, the keys on the grid,
// what comes back into the calling field, and how the main window offers it.
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <functional>

#include "dialogs/FontTags.h"
#include "dialogs/SpecialCharacterPicker.h"
#include "dialogs/SpecialCharacters.h"
#include "mode/ByteCodec.h"
#include "settings/Fonts.h"
#include "test_mainwindow_kit.h"

using namespace vel;
using namespace vel::test;

namespace {

const QString kRoman = QStringLiteral("DejaVu Serif");

QString Char(int code) { return QString(ByteToQChar(static_cast<unsigned char>(code))); }

bool Activate(QWidget* window) {
    // Offscreen activates no dialog by itself, nor the window under it again.
    return QTest::qWaitFor([&] {
        window->activateWindow();
        return window->isActiveWindow();
    });
}

// Acts on the picker that the next modal loop shows; a picker left open (a
// failed check) is cancelled, so a test cannot hang.
void OnPicker(std::function<void(frmSpecialCharacters*)> act) {
    QTimer::singleShot(0, qApp, [act] {
        QPointer<frmSpecialCharacters> picker = qobject_cast<frmSpecialCharacters*>(QApplication::activeModalWidget());
        if (picker && Activate(picker)) act(picker);
        if (picker && picker->isVisible()) picker->reject();
    });
}

// QTest's own double-click does not reach an item view: a click, then the
// double-click event itself.
void DoubleClickCell(QTableWidget* grid, int code) {
    const QPoint at = grid->visualRect(grid->model()->index((code - 32) / 32, (code - 32) % 32)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    const QPoint global = grid->viewport()->mapToGlobal(at);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &dbl);
    QMouseEvent up(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &up);
}

// A shown main window whose controls carry the two display fonts.
struct FontedWindow : ShownWindow {
    QString tengwar;
    FontedWindow() {
        RegisterBundledTengwarFontIfNeeded();
        tengwar = ChooseTengwarFont();
        ApplyFonts(w.get(), kRoman, tengwar);
    }
    // The box holding text, focused, with either all or nothing selected
    // (caret at the end).
    ByteLineEdit* Box(ByteLineEdit* box, const QString& text, bool selected) {
        box->setFocus();
        box->setText(text);
        selected ? box->selectAll() : box->setCursorPosition(int(text.size()));
        return box;
    }
};

}  // namespace

class TestPicker : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { strSpecialText.clear(); }
    void cellsLabelAndSample();
    void typingOnTheGridMovesToTheCell_data();
    void typingOnTheGridMovesToTheCell();
    void opensOnTheFieldWithItsTextSelected();
    void collectedTextGoesIntoTheBox_data();
    void collectedTextGoesIntoTheBox();
    void nothingComesBackLeavesTheBox_data();
    void nothingComesBackLeavesTheBox();
    void textMeetsTheFieldsRules();
    void fontsAndTooltipsFollowTheCallingField();
    void menuEntryFollowsTheFocus();
    void ctrlInsOpensThePickerOnlyForTextFields();
    void ctrlInsOnTheGridLeavesTheClipboard();
};

void TestPicker::cellsLabelAndSample() {
    frmSpecialCharacters picker(nullptr);
    QCOMPARE(picker.grdChars->rowCount() * picker.grdChars->columnCount(), 224);
    QCOMPARE(picker.lblCharacter->text(), QString());
    // Undefined Windows-1252 bytes (0x81) keep a cell of their own.
    for (auto [row, column, code] : {std::tuple{0, 0, 32}, {2, 1, 97}, {3, 1, 0x81}, {6, 31, 255}}) {
        QCOMPARE(picker.grdChars->item(row, column)->text(), Char(code));
        QCOMPARE(picker.grdChars->item(row, column)->textAlignment(), int(Qt::AlignCenter));
    }
    picker.grdChars->setCurrentCell(2, 1);
    QCOMPARE(picker.lblCharacter->text(), QStringLiteral("Selected character: a (# 97)"));
    QCOMPARE(picker.lblSample->text(), QStringLiteral("a"));
    // Collected text that looks like markup shows as it is.
    picker.txtCharacters->setText(QStringLiteral("<b>x"));
    QCOMPARE(picker.lblSample->textFormat(), Qt::PlainText);
}

void TestPicker::typingOnTheGridMovesToTheCell_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("code");  // of the cell current afterwards
    QTest::newRow("A") << QStringLiteral("A") << int(Qt::ShiftModifier) << 65;
    QTest::newRow("space") << QStringLiteral(" ") << 0 << 32;
    QTest::newRow("euro, byte 0x80") << QString(QChar(0x20AC)) << 0 << 0x80;
    // Not in the code page, or a control code: no move from code 34.
    QTest::newRow("cyrillic") << QString(QChar(0x416)) << 0 << 34;
    QTest::newRow("ctrl+a") << QStringLiteral("\x01") << int(Qt::ControlModifier) << 34;
}

void TestPicker::typingOnTheGridMovesToTheCell() {
    QFETCH(QString, typed);
    QFETCH(int, modifiers);
    QFETCH(int, code);
    frmSpecialCharacters picker(nullptr);
    picker.show();
    QVERIFY(Activate(&picker));
    picker.grdChars->setFocus();
    picker.grdChars->setCurrentCell(0, 2);
    QKeyEvent press(QEvent::KeyPress, 0, Qt::KeyboardModifiers(modifiers), typed);
    QApplication::sendEvent(picker.grdChars, &press);
    QCOMPARE(32 + 32 * picker.grdChars->currentRow() + picker.grdChars->currentColumn(), code);
    // Enter puts the current cell's character into the collecting field.
    QTest::keyClick(picker.grdChars, Qt::Key_Return);
    QCOMPARE(picker.txtCharacters->text(), Char(code));
    QVERIFY(picker.isVisible());
}

void TestPicker::opensOnTheFieldWithItsTextSelected() {
    FontedWindow w;
    ByteLineEdit* box = w.Box(w->txtEditField[0], QStringLiteral("ab"), false);
    bool seen = false;
    OnPicker([&](frmSpecialCharacters* picker) {
        seen = true;
        QCOMPARE(picker->windowTitle(), QStringLiteral("Special Characters"));
        QCOMPARE(picker->parentWidget(), w.w.get());
        QVERIFY(picker->isModal());
        QCOMPARE(QApplication::focusWidget(), picker->txtCharacters);
        QCOMPARE(picker->txtCharacters->selectedText(), QStringLiteral("ab"));
        QCOMPARE(picker->txtCharacters->maxLength(), 16);
        for (QWidget* next : QWidgetList{picker->cmdOK, picker->cmdCancel, picker->grdChars, picker->txtCharacters}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        // A double-click at once replaces the selected text, the next one adds.
        DoubleClickCell(picker->grdChars, 'c');
        DoubleClickCell(picker->grdChars, 'd');
        QCOMPARE(picker->txtCharacters->text(), QStringLiteral("cd"));
        QCOMPARE(picker->lblSample->text(), QStringLiteral("cd"));
    });
    InsertSpecialCharacter(box, w.w.get());
    QVERIFY(seen);
    QCOMPARE(box->text(), QStringLiteral("ab"));  // closed by Cancel
}

void TestPicker::collectedTextGoesIntoTheBox_data() {
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("caretToEnd");
    QTest::addColumn<QString>("result");
    QTest::newRow("box selected, caret at end") << true << true << QStringLiteral("abc");
    QTest::newRow("nothing selected, caret at end") << false << true << QStringLiteral("ababc");
    QTest::newRow("box selected, picker text replaced") << true << false << QStringLiteral("c");
}

void TestPicker::collectedTextGoesIntoTheBox() {
    QFETCH(bool, selected);
    QFETCH(bool, caretToEnd);
    QFETCH(QString, result);
    FontedWindow w;
    ByteLineEdit* box = w.Box(w->txtComment, QStringLiteral("ab"), selected);
    OnPicker([&](frmSpecialCharacters* picker) {
        if (caretToEnd) QTest::keyClick(picker->txtCharacters, Qt::Key_End);
        DoubleClickCell(picker->grdChars, 'c');
        QTest::mouseClick(picker->cmdOK, Qt::LeftButton);
    });
    InsertSpecialCharacter(box, w.w.get());
    QCOMPARE(box->text(), result);
    QCOMPARE(strSpecialFont, QString());
    QCOMPARE(BytesToQString(w->Table().Comment()), result);  // as any change of the box
}

void TestPicker::nothingComesBackLeavesTheBox_data() {
    QTest::addColumn<QString>("how");
    for (const char* how : {"Cancel", "Esc", "close box", "emptied field"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

void TestPicker::nothingComesBackLeavesTheBox() {
    QFETCH(QString, how);
    FontedWindow w;
    ByteLineEdit* box = w.Box(w->txtEditField[1], QStringLiteral("ab"), false);
    OnPicker([&](frmSpecialCharacters* picker) {
        DoubleClickCell(picker->grdChars, 'c');
        if (how == QLatin1String("Cancel")) QTest::mouseClick(picker->cmdCancel, Qt::LeftButton);
        if (how == QLatin1String("Esc")) QTest::keyClick(picker->grdChars, Qt::Key_Escape);
        if (how == QLatin1String("close box")) picker->close();
        if (how == QLatin1String("emptied field")) {
            picker->txtCharacters->clear();
            QTest::mouseClick(picker->cmdOK, Qt::LeftButton);
        }
        QVERIFY(!picker->isVisible());
    });
    InsertSpecialCharacter(box, w.w.get());
    QCOMPARE(box->text(), QStringLiteral("ab"));
    QCOMPARE(strSpecialText, QString());
}

void TestPicker::textMeetsTheFieldsRules() {
    FontedWindow w;
    // Not lowered in a lowering field; cut to the field's limit of 14.
    ByteLineEdit* roman = w.Box(w->txtEditField[0], QStringLiteral("abcdefghijkl"), false);
    OnPicker([](frmSpecialCharacters* picker) {
        picker->txtCharacters->setText(QStringLiteral("XYZ"));
        picker->cmdOK->click();
    });
    InsertSpecialCharacter(roman, w.w.get());
    QCOMPARE(roman->text(), QStringLiteral("abcdefghijklXY"));
    // The marker carried in with the field's own text does not come back.
    ByteLineEdit* next = w.Box(w->txtEditField[2], QStringLiteral("\r"), true);
    OnPicker([](frmSpecialCharacters* picker) { picker->cmdOK->click(); });
    InsertSpecialCharacter(next, w.w.get());
    QCOMPARE(next->text(), QStringLiteral("\r"));
    // A comment longer than the picker's field comes in whole, not cut.
    const QString long20 = QStringLiteral("abcdefghijklmnopqrst");
    ByteLineEdit* comment = w.Box(w->txtComment, long20, true);
    OnPicker([](frmSpecialCharacters* picker) { picker->cmdOK->click(); });
    InsertSpecialCharacter(comment, w.w.get());
    QCOMPARE(comment->text(), long20);
}

void TestPicker::fontsAndTooltipsFollowTheCallingField() {
    FontedWindow w;
    QVERIFY(HasTengwarFamily({w.tengwar}));
    for (const bool tengwar : {true, false}) {
        const QString family = tengwar ? w.tengwar : kRoman;
        const QString name = tengwar ? QStringLiteral(": tinco") : QString();
        bool seen = false;
        OnPicker([&](frmSpecialCharacters* picker) {
            seen = true;
            for (QWidget* control : QWidgetList{picker->grdChars, picker->txtCharacters, picker->lblSample})
                QCOMPARE(control->font().family(), family);
            QCOMPARE(picker->lblSample->font().pointSize(), 72);
            QCOMPARE(picker->lblDescription->font().family(), kRoman);  // the chosen text font
            QCOMPARE(picker->grdChars->item(0, 17)->toolTip(), QStringLiteral("Code 49 (0x31)") + name);
            QCOMPARE(picker->grdChars->item(6, 31)->toolTip(), QStringLiteral("Code 255 (0xFF)"));
        });
        InsertSpecialCharacter(w->txtEditField[tengwar ? 1 : 0], w.w.get());
        QVERIFY(seen);
    }
}

void TestPicker::menuEntryFollowsTheFocus() {
    FontedWindow w;
    w.LoadLetters("ab");
    const QList<std::pair<QWidget*, bool>> cases{{w->txtComment, true},        {w->txtEditField[0], true},
                                                 {w->txtEditField[4], true},   {w->grdMode, false},
                                                 {w->chkCaseSensitive, false}, {w->cmdAdd, false}};
    for (auto [widget, on] : cases) {
        widget->setFocus();
        w->mnuEdit->popup(QPoint());
        QCOMPARE(w->mnuInsertSpecialCharacter->isEnabled(), on);
        w->mnuEdit->hide();
    }
    // Opened from the keyboard, the menu holds the focus in the menu bar;
    // the field the user came from still counts.
    w->txtEditField[1]->setFocus();
    QTest::keyClick(w.w.get(), Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(w->mnuEdit->isVisible());
    QVERIFY(w->mnuInsertSpecialCharacter->isEnabled());
    w->mnuEdit->hide();
}

void TestPicker::ctrlInsOpensThePickerOnlyForTextFields() {
    FontedWindow w;
    // What the last opening of the menu left does not hold Ctrl+Ins back.
    w->grdMode->setFocus();
    w->mnuEdit->popup(QPoint());
    w->mnuEdit->hide();
    const QList<std::pair<QWidget*, bool>> cases{
        {w->txtEditField[3], true}, {w->txtComment, true}, {w->chkCaseSensitive, false}, {w->cmdAdd, false}};
    for (auto [widget, opens] : cases) {
        QVERIFY(Activate(w.w.get()));
        widget->setFocus();
        QWidget* owner = nullptr;
        OnPicker([&](frmSpecialCharacters* picker) { owner = picker->parentWidget(); });
        QTest::keyClick(widget, Qt::Key_Insert, Qt::ControlModifier);
        QTest::qWait(20);
        QCOMPARE(owner, opens ? w.w.get() : nullptr);
    }
}

void TestPicker::ctrlInsOnTheGridLeavesTheClipboard() {
    FontedWindow w;
    w.LoadLetters("ab");
    w.SetCursor(1);
    w.FocusGrid();
    Clipboard()->setText(QStringLiteral("kept"));
    bool opened = false;
    OnPicker([&](frmSpecialCharacters*) { opened = true; });
    QTest::keyClick(w->grdMode, Qt::Key_Insert, Qt::ControlModifier);
    QTest::qWait(20);
    QVERIFY(!opened);
    QCOMPARE(Clipboard()->text(), QStringLiteral("kept"));
}

QTEST_MAIN(TestPicker)
#include "test_picker.moc"
