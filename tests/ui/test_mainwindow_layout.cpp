// The layout pass in twips, and the window placing its controls by it.
#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QPushButton>

#include "editing/MainLayout.h"
#include "test_mainwindow_kit.h"

using namespace vel;

class TestMainWindowLayout : public QObject {
    Q_OBJECT
private slots:
    void designExample();
    void tooSmallKeepsLastValidSizes();
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
}

void TestMainWindowLayout::tooSmallKeepsLastValidSizes() {
    MainLayout l;
    LayoutPass(l, 8820, 7365, 390, 15, 15);
    const MainLayout before = l;
    LayoutPass(l, 200, 2000, 390, 15, 15);
    QCOMPARE(l.container.height, before.container.height);
    QCOMPARE(l.container.width, before.container.width);
    QCOMPARE(l.comment.width, before.comment.width);
    QCOMPARE(l.grid.height, before.grid.height);
    // What can still be placed is placed.
    QCOMPARE(l.caseSensitive.left, 200 - 3015);
}

void TestMainWindowLayout::windowFollowsItsSize() {
    vel::test::ShownWindow w;
    w->resize(900, 700);
    QTRY_COMPARE(w->centralWidget()->width(), 900);
    const QRect container = w->picContainer->geometry();
    QWidget* client = w->centralWidget();
    // Equal margins left and right, down to the status bar.
    QCOMPARE(client->width() - container.right() - 1, container.left());
    QCOMPARE(container.bottom() + 1, client->height());
    QCOMPARE(w->cmdAdd->geometry().right(), container.right());
    QCOMPARE(w->chkCaseSensitive->geometry().right(), client->width() - 1);
    // Columns are equal and fit the grid without a sideways scroll bar.
    QHeaderView* header = w->grdMode->horizontalHeader();
    for (int c = 1; c < 5; ++c) QCOMPARE(header->sectionSize(c), header->sectionSize(0));
    QVERIFY(header->length() <= w->grdMode->viewport()->width());
    QVERIFY(header->sectionSize(0) > w->grdMode->viewport()->width() / 5 - 5);
    QCOMPARE(w->grdMode->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
}

QTEST_MAIN(TestMainWindowLayout)
#include "test_mainwindow_layout.moc"
