#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "results/qt_save_dialog.h"

namespace runnelex {

// The real dialog, driven from a timer while it runs modally.
class QtSaveDialogTest : public QObject {
    Q_OBJECT

    QTemporaryDir configHome_;
    QTemporaryDir folder_;

    SaveDialogRequest request() const {
        return {folder_.path(),
                {"tab-separated text file (*.txt)", "All files (*)"},
                "tab-separated text file (*.txt)",
                "txt"};
    }

    // Runs `act` on the dialog once it is open.
    static void whenOpen(std::function<void(QFileDialog&)> act) {
        QTimer::singleShot(0, qApp, [act] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                qFatal("no file dialog open");
            act(*dialog);
        });
    }

    QStringList filesBelow(const QString& dir) const {
        QStringList found;
        QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next();
        return found;
    }

private slots:
    void initTestCase() {
        QVERIFY(configHome_.isValid() && folder_.isValid());
        // Where Qt would keep the dialog's history if nothing stopped it.
        qputenv("XDG_CONFIG_HOME", configHome_.path().toLocal8Bit());
    }

    void typedNameGetsTheDefaultSuffix() {
        SaveDialogRequest seen;
        whenOpen([&seen](QFileDialog& d) {
            seen = {d.directory().absolutePath(), d.nameFilters(), d.selectedNameFilter(),
                    d.defaultSuffix()};
            QVERIFY(d.testOption(QFileDialog::DontUseNativeDialog));
            QCOMPARE(d.acceptMode(), QFileDialog::AcceptSave);
            d.selectFile("table");
            static_cast<QDialog&>(d).accept();
        });
        const std::optional<QString> name = QtSaveDialog().chooseSaveFile(nullptr, request());
        QVERIFY(name);
        QCOMPARE(*name, QDir(folder_.path()).filePath("table.txt"));
        QCOMPARE(seen.directory, QDir(folder_.path()).absolutePath());
        QCOMPARE(seen.nameFilters, request().nameFilters);
        QCOMPARE(seen.selectedNameFilter, request().selectedNameFilter);
        QCOMPARE(seen.defaultSuffix, QStringLiteral("txt"));
    }

    void cancelReportsNothing() {
        whenOpen([](QFileDialog& d) { d.reject(); });
        QVERIFY(!QtSaveDialog().chooseSaveFile(nullptr, request()));
    }

    void dialogKeepsNoHistory() {
        QCOMPARE(filesBelow(configHome_.path()), QStringList());
        QCOMPARE(filesBelow(folder_.path()), QStringList()); // the dialog itself writes nothing
    }
};

} // namespace runnelex

QTEST_MAIN(runnelex::QtSaveDialogTest)
#include "qt_save_dialog_test.moc"
