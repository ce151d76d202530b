#include "plugin/Logger.h"
#include "tests/logger/LogFileHelpers.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <ostream>
#include <regex>
#include <thread>

using namespace logtest;

namespace {

// Each test gets its own log file and leaves nothing behind in /tmp.
class LoggerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        name = uniqueName(::testing::UnitTest::GetInstance()->current_test_info()->name());
        // Parameterised test names contain '/', which must not reach the file name.
        for (char& c : name) {
            if (c == '/') {
                c = '_';
            }
        }
        removeLogFiles(name);
        Logger::getInstance().setDebugLevel(LOG_ERROR);
    }
    void TearDown() override { removeLogFiles(name); }

    std::string logPath() const { return Logger::logPathFor(name); }
    std::string backupPath() const { return Logger::backupPathFor(name); }

    std::string name;
};

const char* levelName(LogLevel level)
{
    switch (level) {
    case LOG_ERROR: return "Error";
    case LOG_INFO: return "Info";
    case LOG_DEBUG: return "Debug";
    }
    return "Unknown";
}

const char* const kHeaderTimePattern = R"(Session time: \d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})";

} // namespace

TEST_F(LoggerTest, PathsUseTheNameVerbatim)
{
    EXPECT_EQ(Logger::logPathFor("Edge Bleed"), "/tmp/Edge Bleed_plugin_log.txt");
    EXPECT_EQ(Logger::backupPathFor("Edge Bleed"), "/tmp/Edge Bleed_plugin_log.old");
}

TEST_F(LoggerTest, NameWithBlanksIsUsedVerbatim)
{
    const std::string blankName = name + " with blanks";
    Logger::getInstance().setEffectName(blankName);
    EXPECT_TRUE(pathExists("/tmp/" + blankName + "_plugin_log.txt"));
    EXPECT_EQ(Logger::getInstance().getEffectName(), blankName);
    removeLogFiles(blankName);
}

TEST(LoggerFreshProcess, MessagesBeforeTheFirstNameAreDropped)
{
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    // The child re-runs this test alone, so its logger has never been given a name.
    const std::string name = uniqueName("before_first_name");
    EXPECT_EXIT(
        {
            Logger& log = Logger::getInstance();
            if (log.getEffectName() != "UnknownEffect") {
                std::exit(2);
            }
            log.setDebugLevel(LOG_DEBUG);
            log.logMessage(LOG_ERROR, "dropped error %d", 1);
            log.logMessage("dropped trace");
            log.flush();
            log.setEffectName(name);
            log.flush();
            // The fresh file holds the header only: nothing was buffered before the name.
            std::exit(readLines(Logger::logPathFor(name)).size() == 4 ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_FALSE(pathExists(Logger::backupPathFor(name)));
    removeLogFiles(name);
}

TEST_F(LoggerTest, HeaderBlockIsWrittenAtEveryLevel)
{
    struct Case {
        LogLevel level;
        const char* word;
    };
    for (const Case& c : {Case {LOG_ERROR, "ERROR"}, Case {LOG_INFO, "INFO"}, Case {LOG_DEBUG, "DEBUG"}}) {
        SCOPED_TRACE(c.word);
        Logger::getInstance().setDebugLevel(c.level);
        Logger::getInstance().setEffectName(name);
        // The header is flushed at once, before any further call.
        const std::vector<std::string> lines = readLines(logPath());
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[0], "=== " + name + " Plugin Session Started ===");
        EXPECT_TRUE(std::regex_match(lines[1], std::regex(kHeaderTimePattern))) << lines[1];
        EXPECT_EQ(lines[2], "Log file: " + logPath());
        EXPECT_EQ(lines[3], std::string("Debug level: ") + c.word);
    }
}

struct FilterCase {
    LogLevel current;
    LogLevel message;
    bool written;
};

void PrintTo(const FilterCase& c, std::ostream* out)
{
    *out << levelName(c.current) << "/" << levelName(c.message);
}

class LoggerFilterTest : public LoggerTest, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(LoggerFilterTest, WritesOnlyMessagesAtOrBelowTheCurrentLevel)
{
    const FilterCase c = GetParam();
    Logger& log = Logger::getInstance();
    log.setDebugLevel(c.current);
    log.setEffectName(name);
    log.logMessage(c.message, "value %d and %s", 42, "text");
    log.flush();

    const std::vector<std::string> lines = readLines(logPath());
    static const char* const prefixes[] = {"[ERROR] ", "[INFO] ", "[DEBUG] "};
    if (c.written) {
        ASSERT_EQ(lines.size(), 5u);
        EXPECT_EQ(lines[4], std::string(prefixes[c.message]) + "value 42 and text");
    } else {
        EXPECT_EQ(lines.size(), 4u);
    }
}

INSTANTIATE_TEST_SUITE_P(AllLevels, LoggerFilterTest,
                         ::testing::Values(FilterCase {LOG_ERROR, LOG_ERROR, true},
                                           FilterCase {LOG_ERROR, LOG_INFO, false},
                                           FilterCase {LOG_ERROR, LOG_DEBUG, false},
                                           FilterCase {LOG_INFO, LOG_ERROR, true},
                                           FilterCase {LOG_INFO, LOG_INFO, true},
                                           FilterCase {LOG_INFO, LOG_DEBUG, false},
                                           FilterCase {LOG_DEBUG, LOG_ERROR, true},
                                           FilterCase {LOG_DEBUG, LOG_INFO, true},
                                           FilterCase {LOG_DEBUG, LOG_DEBUG, true}),
                         [](const auto& info) {
                             return std::string("At") + levelName(info.param.current) + "Message"
                                 + levelName(info.param.message);
                         });

TEST_F(LoggerTest, LevelLessFormIsADebugMessage)
{
    struct Case {
        LogLevel current;
        bool written;
    };
    for (const Case& c : {Case {LOG_ERROR, false}, Case {LOG_INFO, false}, Case {LOG_DEBUG, true}}) {
        SCOPED_TRACE(c.current);
        Logger::getInstance().setDebugLevel(c.current);
        Logger::getInstance().setEffectName(name);
        Logger::getInstance().logMessage("trace %zu", static_cast<size_t>(7));
        Logger::getInstance().flush();
        const std::vector<std::string> lines = readLines(logPath());
        if (c.written) {
            ASSERT_EQ(lines.size(), 5u);
            EXPECT_EQ(lines[4], "[DEBUG] trace 7");
        } else {
            EXPECT_EQ(lines.size(), 4u);
        }
    }
}

TEST_F(LoggerTest, ErrorLinesReachTheDiskAtOnceOtherLinesOnFlush)
{
    Logger& log = Logger::getInstance();
    log.setDebugLevel(LOG_DEBUG);
    log.setEffectName(name);

    log.logMessage(LOG_INFO, "buffered info");
    log.logMessage("buffered trace");
    // Nothing forced these lines out yet: the stream's buffer still holds them.
    EXPECT_EQ(readLines(logPath()).size(), 4u);

    log.logMessage(LOG_ERROR, "urgent");
    std::vector<std::string> lines = readLines(logPath());
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[4], "[INFO] buffered info");
    EXPECT_EQ(lines[5], "[DEBUG] buffered trace");
    EXPECT_EQ(lines[6], "[ERROR] urgent");

    log.logMessage(LOG_DEBUG, "levelled debug");
    log.flush();
    lines = readLines(logPath());
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[7], "[DEBUG] levelled debug");
}

struct LevelTextCase {
    const char* text;
    LogLevel expected;
};

void PrintTo(const LevelTextCase& c, std::ostream* out)
{
    *out << '"' << c.text << '"';
}

class LoggerLevelTextTest : public ::testing::TestWithParam<LevelTextCase> {};

TEST_P(LoggerLevelTextTest, MapsTextToLevel)
{
    Logger& log = Logger::getInstance();
    // Start from a level different from the expected one, so the call must change it.
    log.setDebugLevel(GetParam().expected == LOG_DEBUG ? LOG_ERROR : LOG_DEBUG);
    log.setDebugLevel(std::string(GetParam().text));
    EXPECT_EQ(log.getDebugLevel(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, LoggerLevelTextTest,
                         ::testing::Values(LevelTextCase {"debug", LOG_DEBUG}, LevelTextCase {"DEBUG", LOG_DEBUG},
                                           LevelTextCase {"Debug", LOG_DEBUG}, LevelTextCase {"info", LOG_INFO},
                                           LevelTextCase {"INFO", LOG_INFO}, LevelTextCase {"iNfO", LOG_INFO},
                                           LevelTextCase {"error", LOG_ERROR}, LevelTextCase {"Error", LOG_ERROR},
                                           LevelTextCase {"warning", LOG_ERROR}, LevelTextCase {"none", LOG_ERROR},
                                           LevelTextCase {"", LOG_ERROR}, LevelTextCase {"debug ", LOG_ERROR},
                                           LevelTextCase {" info", LOG_ERROR}),
                         [](const auto& info) {
                             // Test names allow letters and digits only: spell the text out.
                             std::string name = std::to_string(info.index) + "_";
                             for (const char* p = info.param.text; *p; ++p) {
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : 'X';
                             }
                             return name;
                         });

TEST_F(LoggerTest, SameNameTwiceKeepsThePreviousGeneration)
{
    Logger& log = Logger::getInstance();
    log.setEffectName(name);
    log.logMessage(LOG_ERROR, "first generation");
    log.setEffectName(name);

    const std::vector<std::string> old = readLines(backupPath());
    ASSERT_EQ(old.size(), 6u);
    EXPECT_EQ(old[0], "=== " + name + " Plugin Session Started ===");
    EXPECT_EQ(old[4], "[ERROR] first generation");
    EXPECT_EQ(old[5], "[INFO] === Switching to new effect: " + name + " ===");

    const std::vector<std::string> fresh = readLines(logPath());
    ASSERT_EQ(fresh.size(), 4u);
    EXPECT_EQ(fresh[0], "=== " + name + " Plugin Session Started ===");
}

TEST_F(LoggerTest, ThirdGenerationReplacesTheBackup)
{
    Logger& log = Logger::getInstance();
    log.setEffectName(name);
    log.logMessage(LOG_ERROR, "one");
    log.setEffectName(name);
    log.logMessage(LOG_ERROR, "two");
    log.setEffectName(name);
    const std::string old = readFile(backupPath());
    EXPECT_NE(old.find("[ERROR] two\n"), std::string::npos);
    EXPECT_EQ(old.find("[ERROR] one\n"), std::string::npos);
}

TEST_F(LoggerTest, SwitchingLineNamesTheNewEffectWhateverTheLevel)
{
    const std::string other = name + "_next";
    removeLogFiles(other);
    Logger& log = Logger::getInstance();
    log.setDebugLevel(LOG_ERROR);
    log.setEffectName(name);
    log.setEffectName(other);

    const std::vector<std::string> first = readLines(logPath());
    ASSERT_EQ(first.size(), 5u);
    EXPECT_EQ(first[4], "[INFO] === Switching to new effect: " + other + " ===");
    EXPECT_FALSE(pathExists(backupPath()));
    EXPECT_EQ(readLines(Logger::logPathFor(other))[0], "=== " + other + " Plugin Session Started ===");
    removeLogFiles(other);
}

TEST_F(LoggerTest, UncreatableFileLeavesTheLoggerSilentUntilTheNextName)
{
    Logger& log = Logger::getInstance();
    log.setEffectName(name);
    // A name with a missing folder in it: the file cannot be created.
    const std::string unreachable = name + "_no_such_dir/effect";
    log.setEffectName(unreachable);
    log.logMessage(LOG_ERROR, "goes nowhere");

    const std::vector<std::string> first = readLines(logPath());
    ASSERT_EQ(first.size(), 5u);
    EXPECT_EQ(first[4], "[INFO] === Switching to new effect: " + unreachable + " ===");

    // The next good name opens a file again, without a switching line anywhere.
    log.setEffectName(name);
    EXPECT_EQ(readLines(backupPath()).size(), 5u);
    log.logMessage(LOG_ERROR, "heard again");
    const std::vector<std::string> fresh = readLines(logPath());
    ASSERT_EQ(fresh.size(), 5u);
    EXPECT_EQ(fresh[4], "[ERROR] heard again");
}

TEST_F(LoggerTest, ConcurrentWritersNeverInterleaveWithinALine)
{
    Logger& log = Logger::getInstance();
    log.setDebugLevel(LOG_INFO);
    log.setEffectName(name);

    constexpr int kThreads = 4;
    constexpr int kLines = 500;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &log] {
            for (int i = 0; i < kLines; ++i) {
                log.logMessage(LOG_INFO, "thread %d line %d %s", t, i, "padding-padding-padding-padding");
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    log.flush();

    const std::vector<std::string> lines = readLines(logPath());
    ASSERT_EQ(lines.size(), 4u + kThreads * kLines);
    const std::regex line(R"(\[INFO\] thread (\d) line (\d+) padding-padding-padding-padding)");
    std::vector<int> nextLine(kThreads, 0);
    for (size_t i = 4; i < lines.size(); ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(lines[i], m, line)) << lines[i];
        const int t = std::stoi(m[1]);
        // Each thread's lines appear whole and in its own order.
        EXPECT_EQ(std::stoi(m[2]), nextLine[t]++);
    }
}

struct DestructionCase {
    LogLevel level;
    bool written;
};

void PrintTo(const DestructionCase& c, std::ostream* out)
{
    *out << levelName(c.level);
}

class LoggerDestructionTest : public ::testing::TestWithParam<DestructionCase> {};

// One death test per case: a threadsafe death-test child re-runs the whole test body.
TEST_P(LoggerDestructionTest, DestructionLineDependsOnTheLevel)
{
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    const DestructionCase c = GetParam();
    const std::string name = uniqueName("destroyed_" + std::to_string(c.level));
    // exit() runs the static destructors, closing the log as at process end.
    EXPECT_EXIT(
        {
            Logger::getInstance().setDebugLevel(c.level);
            Logger::getInstance().setEffectName(name);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    const std::vector<std::string> lines = readLines(Logger::logPathFor(name));
    removeLogFiles(name);
    ASSERT_EQ(lines.size(), c.written ? 5u : 4u);
    if (c.written) {
        EXPECT_EQ(lines[4], "[INFO] === Logger Destroyed ===");
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, LoggerDestructionTest,
                         ::testing::Values(DestructionCase {LOG_ERROR, false}, DestructionCase {LOG_INFO, true},
                                           DestructionCase {LOG_DEBUG, true}),
                         [](const auto& info) { return std::string(levelName(info.param.level)); });
