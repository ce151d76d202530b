// /tmp is shared by every user of the machine: whatever another user plants at the log path
// or at its backup path, the logger must never truncate, overwrite or append to a file that
// is not its own log.
#include "plugin/Logger.h"
#include "tests/logger/LogFileHelpers.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

using namespace logtest;

namespace {

const char* const kVictimContent = "precious data of another file\n";

class LoggerFileSafetyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        name = uniqueName(::testing::UnitTest::GetInstance()->current_test_info()->name());
        victim = "/tmp/" + name + "_victim";
        removeLogFiles(name);
        std::ofstream(victim) << kVictimContent;
        Logger::getInstance().setDebugLevel(LOG_DEBUG);
    }
    void TearDown() override
    {
        removeLogFiles(name);
        ::unlink(victim.c_str());
    }

    std::string logPath() const { return Logger::logPathFor(name); }
    std::string backupPath() const { return Logger::backupPathFor(name); }

    // Blocks the rotation: a file cannot be renamed over a non-empty directory.
    void makeBackupPathANonEmptyDirectory()
    {
        ASSERT_EQ(::mkdir(backupPath().c_str(), 0755), 0);
        std::ofstream(backupPath() + "/keep") << "x";
    }
    void removeBackupDirectory()
    {
        ::unlink((backupPath() + "/keep").c_str());
        ::rmdir(backupPath().c_str());
    }

    // Logs at every level and flushes, so that any write to a wrong file would show.
    static void logEverything()
    {
        Logger& log = Logger::getInstance();
        log.logMessage(LOG_ERROR, "error line");
        log.logMessage(LOG_INFO, "info line");
        log.logMessage("debug line");
        log.flush();
    }

    std::string name;
    std::string victim;
};

} // namespace

TEST_F(LoggerFileSafetyTest, LinkAtTheLogPathIsMovedAsALinkNotFollowed)
{
    ASSERT_EQ(::symlink(victim.c_str(), logPath().c_str()), 0);
    Logger::getInstance().setEffectName(name);
    logEverything();

    EXPECT_EQ(readFile(victim), kVictimContent);
    // The rotation moved the link itself; the new log is a regular file of our own.
    EXPECT_TRUE(isSymlink(backupPath()));
    EXPECT_FALSE(isSymlink(logPath()));
    EXPECT_NE(readFile(logPath()).find("[ERROR] error line\n"), std::string::npos);
}

TEST_F(LoggerFileSafetyTest, LinkAtTheBackupPathIsReplacedNotFollowed)
{
    std::ofstream(logPath()) << "previous log\n";
    ASSERT_EQ(::symlink(victim.c_str(), backupPath().c_str()), 0);
    Logger::getInstance().setEffectName(name);
    logEverything();

    EXPECT_EQ(readFile(victim), kVictimContent);
    EXPECT_FALSE(isSymlink(backupPath()));
    EXPECT_EQ(readFile(backupPath()), "previous log\n");
}

TEST_F(LoggerFileSafetyTest, LinkLeftAtTheLogPathKeepsTheLoggerSilent)
{
    ASSERT_EQ(::symlink(victim.c_str(), logPath().c_str()), 0);
    makeBackupPathANonEmptyDirectory();
    Logger::getInstance().setEffectName(name);
    logEverything();
    removeBackupDirectory();

    EXPECT_EQ(readFile(victim), kVictimContent);
    EXPECT_TRUE(isSymlink(logPath()));
}

TEST_F(LoggerFileSafetyTest, DanglingLinkIsNeverUsedToCreateAFile)
{
    const std::string target = victim + "_not_yet";
    ASSERT_EQ(::symlink(target.c_str(), logPath().c_str()), 0);
    makeBackupPathANonEmptyDirectory();
    Logger::getInstance().setEffectName(name);
    logEverything();
    removeBackupDirectory();

    EXPECT_FALSE(pathExists(target));
    ::unlink(target.c_str());
}

TEST_F(LoggerFileSafetyTest, HardLinkAtTheLogPathIsNotTruncated)
{
    ASSERT_EQ(::link(victim.c_str(), logPath().c_str()), 0);
    makeBackupPathANonEmptyDirectory();
    Logger::getInstance().setEffectName(name);
    logEverything();
    removeBackupDirectory();

    EXPECT_EQ(readFile(victim), kVictimContent);
}

TEST_F(LoggerFileSafetyTest, FifoAtTheLogPathIsNotWrittenTo)
{
    ASSERT_EQ(::mkfifo(logPath().c_str(), 0644), 0);
    makeBackupPathANonEmptyDirectory();
    // Opening a FIFO for writing would block without a reader; the logger must not hang.
    Logger::getInstance().setEffectName(name);
    logEverything();
    removeBackupDirectory();

    struct stat info {};
    ASSERT_EQ(::lstat(logPath().c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(LoggerFileSafetyTest, OwnStaleLogIsTruncatedWhenRotationIsBlocked)
{
    std::ofstream(logPath()) << "stale content that must go\n";
    makeBackupPathANonEmptyDirectory();
    Logger::getInstance().setEffectName(name);
    logEverything();
    removeBackupDirectory();

    const std::vector<std::string> lines = readLines(logPath());
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "=== " + name + " Plugin Session Started ===");
}

TEST_F(LoggerFileSafetyTest, NewLogIsCreatedWithMode0644)
{
    const mode_t previous = ::umask(022);
    Logger::getInstance().setEffectName(name);
    ::umask(previous);
    struct stat info {};
    ASSERT_EQ(::stat(logPath().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}
