// The layout pass in twips, and the window placing its controls by it.
#include <QFrame>
#include <QHeaderView>

#include "editing/MainLayout.h"
#include "test_mainwindow_kit.h"

using namespace vel;

class TestMainWindowLayout : public QObject {
    Q_OBJECT
private slots:
    void designExample();
    void windowFollowsItsSize();
};

void TestMainWindowLayout::designExample() {
    MainLayout l;
    l.gridToolbar.height = 390;
    LayoutPass(l, 8820, 7365, 390, 15, 15);
    QCOMPARE(l.container, (TwipRect{120, 2040, 8580, 4935}));
    const int lefts[] = {120, 1550, 2980, 4410, 5840};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(l.fields[i].width, 1400);
        QCOMPARE(l.fields[i].left, lefts[i]);
        QCOMPARE(l.fieldLabels[i].left, lefts[i]);
    }
    QCOMPARE(l.add.width, 1400);
    QCOMPARE(l.add.left, 7300);
    QCOMPARE(l.caseSensitive.left, 8820 - 3015);
    QCOMPARE(l.comment.width, 8820 - (360 + 3015));
    QCOMPARE(l.gridToolbar.left, 30);
    QCOMPARE(l.gridToolbar.top, 30);
    QCOMPARE(l.grid, (TwipRect{15, 420, 8550, 4935 - (420 + 30)}));
    QCOMPARE(l.columnWidth, 1710);

    // A window too small keeps the last valid sizes; what can still be placed is placed.
    LayoutPass(l, 200, 2000, 390, 15, 15);
    QCOMPARE(l.container.height, 4935);
    QCOMPARE(l.columnWidth, 1710);
    QCOMPARE(l.caseSensitive.left, 200 - 3015);
}

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
