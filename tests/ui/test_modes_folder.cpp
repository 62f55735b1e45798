// Where the file dialogs start: the real dialog's start in a folder that
// does not exist.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "dialogs/Prompter.h"
#include "settings/FileCommands.h"

using namespace vel;

class TestModesFolder : public QObject {
    Q_OBJECT
    // The settings, the data folder and the current folder of one test function.
    std::unique_ptr<QTemporaryDir> home_;
    QString startFolder_ = QDir::currentPath();

    QString Home(const QString& rest) const { return home_->filePath(rest); }

private slots:
    void init() {
        home_ = std::make_unique<QTemporaryDir>();
        QVERIFY(home_->isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Home("config"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(Home("data")));
    }
    void cleanup() {
        QDir::setCurrent(startFolder_);
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    }

    // A missing folder given to Qt's dialog would show up as the file name.
    void theDialogStartsInTheNearestExistingFolder_data() {
        QTest::addColumn<QString>("folder");  // under the test's folder
        QTest::addColumn<QString>("fileName");
        QTest::newRow("new mode") << "Modes" << QString();
        QTest::newRow("named mode") << "Modes" << "quenya";
        QTest::newRow("missing parents too") << "data/Quillory/Modes" << QString();
    }
    void theDialogStartsInTheNearestExistingFolder() {
        QFETCH(QString, folder);
        QFETCH(QString, fileName);
        Prompter::FileDialog request;
        request.title = "Save Mode As";
        request.filter = QString::fromLatin1(kModeFilter);
        request.folder = Home(folder);
        request.fileName = fileName;
        request.defaultSuffix = "mod";
        QString shownFolder, shownName;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            poll.stop();
            shownFolder = dialog->directory().absolutePath();
            if (auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit")) shownName = edit->text();
            dialog->reject();
        });
        poll.start(10);
        QtPrompter prompter(nullptr);
        QVERIFY(!prompter.SaveFile(request));
        QCOMPARE(shownFolder, home_->path());
        QCOMPARE(shownName, fileName);
    }
};

QTEST_MAIN(TestModesFolder)
#include "test_modes_folder.moc"
