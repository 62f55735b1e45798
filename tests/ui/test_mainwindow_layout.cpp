// The window placing its controls by the layout pass.
#include <QFrame>
#include <QHeaderView>

#include "test_mainwindow_kit.h"

using namespace vel;

class TestMainWindowLayout : public QObject {
    Q_OBJECT
private slots:
    void windowFollowsItsSize();
};

void TestMainWindowLayout::windowFollowsItsSize() {
    vel::test::ShownWindow w;
    w->resize(900, 700);
    QTRY_COMPARE(w->centralWidget()->width(), 900);
    QCOMPARE(900 - w->picContainer->geometry().right() - 1, w->picContainer->x());  // equal side margins
    // Equal columns that fill the grid without a sideways scroll bar.
    QHeaderView* header = w->grdMode->horizontalHeader();
    for (int c = 1; c < 5; ++c) QCOMPARE(header->sectionSize(c), header->sectionSize(0));
    QVERIFY(header->length() <= w->grdMode->viewport()->width());
    QVERIFY(header->sectionSize(0) > w->grdMode->viewport()->width() / 5 - 5);
}

QTEST_MAIN(TestMainWindowLayout)
#include "test_mainwindow_layout.moc"
