#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "fake_save_dialog.h"
#include "recording_message_boxes.h"
#include "results/frm_results.h"
#include "results/mod_results.h"
#include "results/record.h"

namespace runnelex {

namespace {
const QByteArray kHeader = QByteArray::fromStdString(record::headerLine());
const std::string kRecord1 = "P1\t10\tCFS\t24\tin.\t0.5\t%\t0.013\t1.1457\t5.373\t0.9763\t1.1316\t"
                             "15.9965\t17.1993";
const std::string kRecord2 = "\t2\tCFS\t12\tin.\t0.01\tft/ft\t0.013\t\t\t\t\t3.5628\t3.8307";
const QString kFailure =
    QStringLiteral("Unable to Open File (already open?). Please try a different name. (");
const QByteArray kOldContent = "old table, longer than any new one would need to be\n";

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return f.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Marks a file immutable, which stops even root from replacing it; undone on destruction.
class ImmutableFile {
public:
    explicit ImmutableFile(const QString& path) : path_(path.toLocal8Bit()) { set(true); }
    ~ImmutableFile() {
        if (ok_)
            set(false);
    }
    bool ok() const { return ok_; }

private:
    void set(bool on) {
        const int fd = ::open(path_.constData(), O_RDONLY);
        int flags = 0;
        ok_ = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok_ = ok_ && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        if (fd >= 0)
            ::close(fd);
    }
    QByteArray path_;
    bool ok_ = false;
};

// Lets no file grow past a few bytes, as a full disk would: writes fail with EFBIG.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};
} // namespace

class ResultsSaveTest : public QObject {
    Q_OBJECT

    test::RecordingMessageBoxes boxes_;
    test::FakeSaveDialog dialog_;
    std::unique_ptr<ModResults> mod_;
    std::unique_ptr<QTemporaryDir> dir_;

    QString path(const QString& name) const { return dir_->filePath(name); }
    void clickSave() {
        mod_->window()->findChild<QPushButton*>(QStringLiteral("cmdSaveResults"))->click();
    }
    QString boxText() { return mod_->window()->findChild<QPlainTextEdit*>()->toPlainText(); }

private slots:
    void init() {
        boxes_.shown.clear();
        dialog_ = {};
        mod_ = std::make_unique<ModResults>(boxes_, dialog_);
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        mod_->showResultsWindow();
    }
    void cleanup() {
        mod_.reset();
        dir_.reset();
    }

    void dialogOpensInDocumentsWithTheTextFilterSelected() {
        clickSave();
        QCOMPARE(dialog_.requests.size(), 1u);
        const SaveDialogRequest& r = dialog_.requests.front();
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(r.directory, QDir(documents).exists() ? documents : QDir::homePath());
        QVERIFY(!r.directory.startsWith(QDir::tempPath()));
        QCOMPARE(r.nameFilters, QStringList({"tab-separated text file (*.txt)", "All files (*)"}));
        QCOMPARE(r.selectedNameFilter, r.nameFilters.front());
        QCOMPARE(r.defaultSuffix, QStringLiteral("txt"));
    }

    void savedBytes_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray r1 = QByteArray::fromStdString(kRecord1);
        const QByteArray r2 = QByteArray::fromStdString(kRecord2);
        QTest::newRow("start text")
            << QStringList{}
            << QByteArray("Calculations will be displayed here...   Click "
                          "\"Save As...\" when ready to save results to file.");
        QTest::newRow("two records") << QStringList{"r1", "r2"} << kHeader + "\n" + r1 + "\n" + r2;
        QTest::newRow("cleared") << QStringList{"r1", "clear"} << kHeader;
        QTest::newRow("pasted name kept as held")
            << QStringList{"odd"} << kHeader + "\nP\xC2\xA0\xC3\x84\xE2\x80\xA8x\t1";
    }
    void savedBytes() {
        QFETCH(QStringList, steps);
        QFETCH(QByteArray, bytes);
        for (const QString& step : steps) {
            if (step == "r1")
                mod_->AddResult(kRecord1);
            else if (step == "r2")
                mod_->AddResult(kRecord2);
            else if (step == "odd")
                mod_->AddResult("P\xC2\xA0\xC3\x84\xE2\x80\xA8x\t1");
            else if (step == "clear")
                mod_->window()->findChild<QPushButton*>(QStringLiteral("cmdClear"))->click();
        }
        QVERIFY(writeFile(path("table.txt"), kOldContent));
        dialog_.answers.push_back({path("table.txt")});
        clickSave();
        QVERIFY(boxes_.shown.empty());
        QCOMPARE(readAll(path("table.txt")), bytes);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"table.txt"});
    }

    void cancelledDialogWritesNothing() {
        mod_->AddResult(kRecord1);
        QVERIFY(writeFile(path("table.txt"), kOldContent));
        dialog_.answers.push_back(test::FakeSaveDialog::cancel());
        clickSave();
        QVERIFY(boxes_.shown.empty());
        QCOMPARE(readAll(path("table.txt")), kOldContent);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"table.txt"});
    }

    void failedSave_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"missing folder", "folder as target", "read-only file",
                                 "empty name", "dialog failure", "full disk"})
            QTest::newRow(kind) << QString::fromUtf8(kind);
    }
    void failedSave() {
        QFETCH(QString, kind);
        mod_->AddResult(kRecord1);
        mod_->AddResult(kRecord2);
        const QString before = boxText();
        const QString target = path("table.txt");
        QVERIFY(writeFile(target, kOldContent));
        std::unique_ptr<ImmutableFile> immutable;
        std::unique_ptr<FileSizeLimit> limit;
        if (kind == "missing folder") {
            dialog_.answers.push_back({path("no such folder/table.txt")});
        } else if (kind == "folder as target") {
            QVERIFY(QDir(dir_->path()).mkdir("folder.txt"));
            dialog_.answers.push_back({path("folder.txt")});
        } else if (kind == "read-only file") {
            QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup));
            if (::geteuid() == 0) {
                immutable = std::make_unique<ImmutableFile>(target);
                if (!immutable->ok())
                    QSKIP("root ignores permissions and this file system has no immutable flag");
            }
            dialog_.answers.push_back({target});
        } else if (kind == "empty name") {
            dialog_.answers.push_back({QString()});
        } else if (kind == "dialog failure") {
            dialog_.failure = "the dialog could not open";
        } else if (kind == "full disk") {
            dialog_.answers.push_back({target});
            limit = std::make_unique<FileSizeLimit>(16);
        }
        clickSave();
        limit.reset();
        immutable.reset();

        QCOMPARE(boxes_.shown.size(), 1u);
        const QString prompt = boxes_.shown.front().prompt;
        QVERIFY2(prompt.startsWith(kFailure) && prompt.endsWith(')'), qPrintable(prompt));
        QVERIFY2(prompt.size() > kFailure.size() + 1, "the platform's description is missing");
        QCOMPARE(boxes_.shown.front().parent, mod_->window());
        if (kind == "dialog failure")
            QCOMPARE(prompt, kFailure + "the dialog could not open)");

        QCOMPARE(readAll(target), kOldContent);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"table.txt"});
        QCOMPARE(mod_->text().recordCount(), 2u);
        QCOMPARE(boxText(), before);

        // The user can try again.
        boxes_.shown.clear();
        dialog_.failure.reset();
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner));
        dialog_.answers = {{path("again.txt")}};
        clickSave();
        QVERIFY(boxes_.shown.empty());
        QCOMPARE(QString::fromUtf8(readAll(path("again.txt"))), before);
    }
};

} // namespace runnelex

QTEST_MAIN(runnelex::ResultsSaveTest)
#include "results_save_test.moc"
