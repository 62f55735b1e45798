// The one rule of the program's text fields, whichever way text arrives:
// TAB, CR and LF never come in from the user; keys the window owns do
// nothing in a field while their command is disabled; control bytes are
// drawn, not hidden; a loaded comment is shown whole.
#include <QContextMenuEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>

#include "mode/ModeFile.h"
#include "test_mainwindow_kit.h"

using namespace vel;
using namespace vel::test;

namespace {

// Opens the field's own context menu and chooses its Paste entry.
void ContextPaste(QLineEdit* field) {
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (QAction* a : menu->actions())
            if (a->text().contains(QStringLiteral("Paste"))) {
                a->trigger();
                break;
            }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), field->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(field, &event);
}

}  // namespace

class TestTextFields : public QObject {
    Q_OBJECT
private slots:
    void contextMenuPasteIsCleaned_data() {
        QTest::addColumn<int>("field");  // -1: the comment box
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Roman letters") << 0 << "x\tY\nz" << "xYz";
        QTest::newRow("a lone TAB in If next roman") << 2 << "\t" << "";
        QTest::newRow("comment") << -1 << "a\tb\r\nc" << "abc";
        QTest::newRow("no byte for it") << 1 << QString::fromUtf8("\u03A9") << "?";
    }
    void contextMenuPasteIsCleaned() {
        QFETCH(int, field);
        QFETCH(QString, clipboard);
        QFETCH(QString, expected);
        ShownWindow w;
        ByteLineEdit* target = field < 0 ? w->txtComment : w->txtEditField[size_t(field)];
        target->setFocus();
        Clipboard()->setText(clipboard);
        ContextPaste(target);
        QCOMPARE(target->text(), expected);
    }

    void windowKeysDoNothingWhileTheirCommandIsOff() {
        ShownWindow w;  // no clause: the Clause menu is off
        ByteLineEdit* field = w->txtEditField[0];
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("abc"));
        QTest::keyClick(field, Qt::Key_Left);
        QTest::keyClick(field, Qt::Key_U, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(field->text(), QStringLiteral("abc"));
        // The field's own editing keys keep working: undo of its typing.
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(field->text().size() < 3);

        // With clauses the same key is the window's: the clause moves, the text stays.
        w.LoadLetters("ab");
        w.SetCursor(2);
        field->setText(QStringLiteral("xyz"));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(w.Romans(), std::string("ba"));
        QCOMPARE(field->text(), QStringLiteral("xyz"));
    }

    void controlBytesAreDrawnAsSigns() {
        ShownWindow w;
        w.Load({MakeClause("a", "\x01", "\r")});
        const QModelIndex marker = w->Model().index(0, ColIfNextRoman);
        QCOMPARE(marker.data().toString(), QString(QChar(0x23CE)));
        QCOMPARE(marker.data(Qt::EditRole).toString(), QStringLiteral("\r"));  // the byte stays 13
        QCOMPARE(marker.data(Qt::ToolTipRole).toString(), QStringLiteral("Non-alphanumeric"));
        QCOMPARE(w->Model().index(0, ColTengwar).data().toString(), QString(QChar(0x25AF)));

        ByteLineEdit* field = w->txtEditField[ColIfPreviousID];
        const QImage empty = field->grab().toImage();
        field->setText(QStringLiteral("\r"));
        QVERIFY(field->grab().toImage() != empty);
        QCOMPARE(field->text(), QStringLiteral("\r"));
    }

    void aLongLoadedCommentIsShownWhole() {
        QTemporaryDir dir;
        const std::string path = (dir.path() + "/long.mod").toStdString();
        std::string header(35, 'c');
        header += '\t';
        QVERIFY(WriteBytesForTest(path, header));
        ShownWindow w;
        QCOMPARE(w->Model().Load(path, false).code, kModeOk);
        QCOMPARE(w->txtComment->text().size(), 35);
        QVERIFY(!w->Model().Document().Changed());  // showing it is no edit
        // Typing cannot make it longer still; deleting works.
        w->txtComment->setFocus();
        w->txtComment->end(false);
        QTest::keyClicks(w->txtComment, QStringLiteral("d"));
        QCOMPARE(w->txtComment->text().size(), 35);
        QTest::keyClick(w->txtComment, Qt::Key_Backspace);
        QCOMPARE(w->Table().Comment().size(), size_t(34));
    }

private:
    static bool WriteBytesForTest(const std::string& path, const std::string& bytes) {
        QFile f(QString::fromStdString(path));
        return f.open(QIODevice::WriteOnly) && f.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
    }
};

QTEST_MAIN(TestTextFields)
#include "test_text_fields.moc"
