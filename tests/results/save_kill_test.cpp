// SPDX-License-Identifier: GPL-3.0-or-later
// The save of a file, as every window saves: each way it can fail, named once here (the windows
// show the reason), and a large results table saved over an existing file, interrupted every
// way a desktop can interrupt it: the saving process killed at each step (every block it
// writes among them), a full disk, a folder that turns read-only. Afterwards the file is always the
// complete old table or the complete new one, and a temporary file left behind is gone after
// the next save.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "results/record.h"
#include "results/save_text_file.h"
#include "support/test_files.h"

namespace runnelex {
namespace {

using test::readAll;

// A table of `records` lines whose every line names `tag`, so two tables differ everywhere.
QByteArray table(int records, char tag) {
    QByteArray t = QByteArray::fromStdString(record::headerLine());
    for (int i = 0; i < records; ++i)
        t += "\n" + QByteArray(1, tag) + QByteArray::number(i) +
             "\t10\tCFS\t24\tin.\t0.5\t%\t0.013\t1.1457\t5.373\t0.9763\t1.1316\t15.9965\t17.1993";
    return t;
}

QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Runs `child` in a forked process and returns its wait status.
int inChild(const std::function<void()>& child) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        child();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

bool killed(int status) {
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// The folder read-only for everybody, root included where the file system allows.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString dir) : dir_(std::move(dir)) {}
    ~ReadOnlyFolder() { set(false); }
    bool set(bool on) {
        if (on == on_)
            return true;
        on_ = on;
        // An immutable folder refuses a change of its permissions too: the flag goes last on
        // and first off.
        bool ok = true;
        if (!on && ::geteuid() == 0)
            ok = test::setImmutable(dir_, false);
        ok = ::chmod(QFile::encodeName(dir_).constData(), on ? 0555 : 0755) == 0 && ok;
        if (on && ::geteuid() == 0)
            ok = test::setImmutable(dir_, true) && ok;
        return ok;
    }

private:
    QString dir_;
    bool on_ = false;
};

// Tallies for the report: what each interruption left.
struct Tally {
    int tried = 0, oldKept = 0, newComplete = 0, leftovers = 0;
    void print(const char* what) const {
        std::printf("%s: %d tried, old file kept %d, new file complete %d, temporary file left "
                    "%d (each removed by the next save)\n",
                    what, tried, oldKept, newComplete, leftovers);
    }
};

// Runs once with the unnamed temporary file, once with the named one that file systems
// without unnamed files get.
class SaveKill : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        seams_.unnamedTemporary = GetParam();
        target_ = dir_.filePath(QStringLiteral("table.txt"));
        temp_ = QFileInfo(saveTemporaryName(target_)).fileName();
        ASSERT_FALSE(saveTextFile(target_, oldBytes_, seams_));
    }

    // After an interruption: the old or the new table, nothing else but maybe the temporary
    // file; then the next save must succeed and clean up. True when the new table was there.
    bool check(Tally& tally, bool newAllowed, bool leftoverAllowed) {
        ++tally.tried;
        const QByteArray now = readAll(target_);
        const bool isOld = now == oldBytes_, isNew = now == newBytes_;
        EXPECT_TRUE(isOld || (newAllowed && isNew))
            << "a mixed or truncated file, " << now.size() << " bytes";
        tally.oldKept += isOld;
        tally.newComplete += isNew;
        const QStringList files = filesIn(dir_.path());
        const bool leftover = files == QStringList{temp_, QStringLiteral("table.txt")};
        EXPECT_TRUE(files == QStringList{QStringLiteral("table.txt")} ||
                    (leftoverAllowed && leftover))
            << files.join(u' ').toStdString();
        tally.leftovers += leftover;
        EXPECT_FALSE(saveTextFile(target_, oldBytes_, seams_));
        EXPECT_EQ(filesIn(dir_.path()), QStringList{QStringLiteral("table.txt")});
        EXPECT_EQ(readAll(target_), oldBytes_);
        return isNew;
    }

    // The steps of one whole save of the new table, in order.
    std::vector<SaveStep> stepsOfASave() {
        std::vector<SaveStep> steps;
        SaveSeams counting = seams_;
        counting.atStep = [&](SaveStep s) {
            steps.push_back(s);
        };
        EXPECT_FALSE(saveTextFile(target_, newBytes_, counting));
        EXPECT_FALSE(saveTextFile(target_, oldBytes_, seams_));
        return steps;
    }

    // Whether the temporary file has a name at that step (a kill there may leave it).
    bool named(SaveStep s) const {
        return s != SaveStep::Replaced && (!GetParam() || s == SaveStep::Linked);
    }

    QTemporaryDir dir_;
    SaveSeams seams_;
    QString target_, temp_;
    const QByteArray oldBytes_ = table(20000, 'o');
    const QByteArray newBytes_ = table(23000, 'n');
};

TEST_P(SaveKill, KilledAtEveryStep) {
    const std::vector<SaveStep> steps = stepsOfASave();
    ASSERT_GT(steps.size(), 25u); // a block at a time: many points to kill at
    Tally tally;
    for (std::size_t at = 0; at < steps.size(); ++at) {
        SCOPED_TRACE("step " + std::to_string(at));
        const int status = inChild([&] {
            std::size_t n = 0;
            SaveSeams seams = seams_;
            seams.atStep = [&](SaveStep) {
                if (n++ == at)
                    ::raise(SIGKILL);
            };
            saveTextFile(target_, newBytes_, seams);
        });
        ASSERT_TRUE(killed(status));
        const bool replaced = steps[at] == SaveStep::Replaced;
        EXPECT_EQ(check(tally, replaced, named(steps[at])), replaced)
            << "the new table only once it is in place";
    }
    tally.print(GetParam() ? "killed at each step, unnamed temporary file"
                           : "killed at each step, named temporary file");
}

TEST_P(SaveKill, FolderTurnsReadOnly) {
    ReadOnlyFolder readOnly(dir_.path());
    ASSERT_TRUE(readOnly.set(true));
    const std::optional<QString> refused = saveTextFile(target_, newBytes_, seams_);
    EXPECT_EQ(refused.value_or("saved").toStdString(),
              ::geteuid() == 0 ? "Operation not permitted" : "Permission denied");
    ASSERT_TRUE(readOnly.set(false));
    Tally between;
    check(between, false, false);

    // Read-only from each step of a save on: it fails and keeps the old table, unless the
    // new one was already in place.
    const std::vector<SaveStep> steps = stepsOfASave();
    Tally tally;
    for (std::size_t at = 0; at < steps.size(); ++at) {
        SCOPED_TRACE("step " + std::to_string(at));
        std::size_t n = 0;
        SaveSeams seams = seams_;
        seams.atStep = [&](SaveStep) {
            if (n++ == at)
                readOnly.set(true);
        };
        const std::optional<QString> result = saveTextFile(target_, newBytes_, seams);
        const bool replaced = steps[at] == SaveStep::Replaced;
        EXPECT_EQ(!result.has_value(), replaced);
        ASSERT_TRUE(readOnly.set(false));
        check(tally, replaced, named(steps[at]));
    }
    tally.print(GetParam() ? "folder read-only from each step, unnamed temporary file"
                           : "folder read-only from each step, named temporary file");
}

// A real full disk: a small memory file system in a mount namespace of the child's own, where
// the system lets a test mount one; and the file size limit, which every user can set.
TEST_P(SaveKill, FullDisk) {
    int report[2];
    ASSERT_EQ(::pipe(report), 0);
    const int status = inChild([&] {
        ::close(report[0]);
        const auto fail = [&](const std::string& why) {
            (void)!::write(report[1], why.data(), why.size());
            ::_exit(1);
        };
        const QByteArray mountPoint = QFile::encodeName(dir_.path());
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("runnelex-full", mountPoint.constData(), "tmpfs", 0, "size=8m") != 0)
            ::_exit(77); // no mounting here
        const QString target = dir_.filePath(QStringLiteral("table.txt"));
        if (saveTextFile(target, oldBytes_, seams_))
            fail("the old table did not fit");
        QFile filler(dir_.filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly) ||
            filler.write(
                QByteArray(8 * 1024 * 1024 - oldBytes_.size() - newBytes_.size() / 2, 'f')) < 0)
            fail("no filler");
        filler.close();
        const std::optional<QString> full = saveTextFile(target, newBytes_, seams_);
        if (!full)
            fail("a save to a full disk claimed success");
        if (readAll(target) != oldBytes_)
            fail("the old table was damaged");
        if (filesIn(dir_.path()) !=
            QStringList{QStringLiteral("filler"), QStringLiteral("table.txt")})
            fail("left " + filesIn(dir_.path()).join(u' ').toStdString());
        filler.remove();
        if (saveTextFile(target, newBytes_, seams_) || readAll(target) != newBytes_)
            fail("no save once there was room again");
        std::printf("full disk: \"%s\", old table kept\n", qPrintable(*full));
        std::fflush(stdout);
    });
    ::close(report[1]);
    char why[512] = {};
    (void)!::read(report[0], why, sizeof why - 1);
    ::close(report[0]);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
        std::printf("full disk: no file system can be mounted here; the size limit only\n");
    else
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << why;

    const int limited = inChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{1 << 20, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &small);
        ::_exit(saveTextFile(target_, newBytes_, seams_) ? 0 : 1);
    });
    EXPECT_TRUE(WIFEXITED(limited) && WEXITSTATUS(limited) == 0) << "reported as failed";
    Tally tally;
    check(tally, false, false);
}

// Each way a save can fail says why and leaves the old file as it was, with nothing beside it.
// A file written piece by piece (a PDF page by page) takes the old one's place only once
// committed; abandoned half way, it leaves the old file and nothing beside it.
TEST_P(SaveKill, PiecesTakeThePlaceOnlyWhenCommitted) {
    const std::string path = QFile::encodeName(target_).toStdString();
    const auto writeHalves = [&](AtomicFile& file) {
        const qsizetype half = newBytes_.size() / 2;
        EXPECT_TRUE(file.write(std::string_view(newBytes_.constData(), half)));
        EXPECT_TRUE(
            file.write(std::string_view(newBytes_.constData() + half, newBytes_.size() - half)));
    };
    {
        AtomicFile abandoned(path, seams_);
        writeHalves(abandoned);
    }
    EXPECT_EQ(readAll(target_), oldBytes_);
    EXPECT_EQ(filesIn(dir_.path()), QStringList{QStringLiteral("table.txt")});
    AtomicFile file(path, seams_);
    writeHalves(file);
    EXPECT_TRUE(file.commit()) << file.error();
    EXPECT_EQ(readAll(target_), newBytes_);
    EXPECT_EQ(filesIn(dir_.path()), QStringList{QStringLiteral("table.txt")});
}

TEST(SaveTextFile, FailuresNameTheReasonAndKeepTheOldFile) {
    const struct {
        const char *name, *answer, *reason;
    } cases[] = {
        {"empty name", "", "No such file or directory"},
        {"missing folder", "no such folder/table.txt", "No such file or directory"},
        {"folder as target", "folder.txt", "Is a directory"},
        // In a folder the user may write: the read-only file is not replaced behind their back.
        {"read-only file", "table.txt", "Permission denied"},
        {"full disk", "table.txt", "File too large"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string kind = c.name;
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("table.txt"));
        ASSERT_TRUE(test::writeFile(target, "old table\n"));
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.txt")));
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
        ASSERT_EQ(
            ::chmod(QFile::encodeName(target).constData(), kind == "read-only file" ? 0444 : 0666),
            0);
        // A file size limit makes a full disk (writes fail with EFBIG). Root, whom permissions
        // do not stop, saves the read-only file as another user, in a child process.
        const auto save = [&] {
            rlimit fileSize{};
            ::getrlimit(RLIMIT_FSIZE, &fileSize);
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit tiny{kind == "full disk" ? 4 : fileSize.rlim_cur, fileSize.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &tiny);
            const std::optional<QString> failure = saveTextFile(
                *c.answer ? dir.filePath(QString::fromUtf8(c.answer)) : QString(), table(3, 'n'));
            ::setrlimit(RLIMIT_FSIZE, &fileSize);
            return failure.value_or("saved").toStdString();
        };
        std::string why;
        if (kind == "read-only file" && ::geteuid() == 0) {
            int report[2];
            ASSERT_EQ(::pipe(report), 0);
            const int status = inChild([&] {
                if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                    ::_exit(1);
                why = save();
                (void)!::write(report[1], why.data(), why.size());
            });
            ::close(report[1]);
            char buffer[256] = {};
            (void)!::read(report[0], buffer, sizeof buffer - 1);
            ::close(report[0]);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            why = buffer;
        } else {
            why = save();
        }
        EXPECT_EQ(why, c.reason);
        EXPECT_EQ(readAll(target), "old table\n");
        EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("table.txt")});
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("folder.txt")});
    }
}

INSTANTIATE_TEST_SUITE_P(Temporary, SaveKill, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Unnamed" : "Named"; });

} // namespace
} // namespace runnelex
