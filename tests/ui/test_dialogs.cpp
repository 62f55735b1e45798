// The real dialogs' own rules: file filters that show every file, an input
// box wide enough for its title, and a help window that Esc closes and that
// stays on the screen.
#include <QApplication>
#include <QInputDialog>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "dialogs/Prompter.h"
#include "settings/HelpWindow.h"

using namespace vel;

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void filtersShowFilesWithoutAnExtension() {
        const QStringList filters = QtPrompter::NameFilters(QStringLiteral("Mode files (*.mod)|*.mod|All files (*.*)|*.*"));
#ifdef Q_OS_WIN
        QCOMPARE(filters, (QStringList{"Mode files (*.mod)", "All files (*.*)"}));
#else
        QCOMPARE(filters, (QStringList{"Mode files (*.mod)", "All files (*)"}));
#endif
        QCOMPARE(QtPrompter::NameFilters(QStringLiteral("Mode templates|*.mot;*.txt")),
                 QStringList{"Mode templates (*.mot *.txt)"});
    }

    void inputBoxShowsItsWholeTitle() {
        QWidget owner;
        QtPrompter prompter(&owner);
        int width = 0, titleWidth = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            QVERIFY(box);
            width = box->width();
            titleWidth = box->fontMetrics().horizontalAdvance(box->windowTitle());
            box->reject();
        });
        QVERIFY(!prompter.Input(QStringLiteral("Move Clause to Row"), QStringLiteral("Specify new row number for clause"),
                                QString()));
        QVERIFY(width > titleWidth + 100);
    }

    void helpClosesWithEscAndStaysOnTheScreen() {
        QPointer<HelpWindow> slot;
        HelpWindow* help = ShowHelpContents(slot, nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        const QRect room = help->screen()->availableGeometry();
        QVERIFY(room.contains(help->frameGeometry()));
        QTest::keyClick(help->Browser(), Qt::Key_Escape);
        QTRY_VERIFY(slot.isNull());  // closed and discarded
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
