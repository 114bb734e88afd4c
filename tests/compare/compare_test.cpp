#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>

#include "app/compare_commands.h"
#include "app/session.h"
#include "compare/update.h"
#include "model/source_model.h"
#include "support/address_limit.h"
#include "support/fake_host.h"
#include "support/scratch_dir.h"
#include "support/text_lines.h"

namespace quillset::compare {
namespace {

using quillset::testing::ScratchDir;

// Every block is a Preference block, so the working lines keep file order.
const std::vector<std::string> kControl = {
    "; control", "[ P - Same ]", "a=1", "b=2,", "[ P - Swap ]", "a=1", "b=2", "[ P - Case ]", "Key=v",
    "[ P - Semi ]", ";", "x=1", "[ P - Extra ]", "a=1", "[ P - Hdr ]", "a=1", "[ P - Dup ]", "a=1",
    "[ P - Unsel ]", "a=1", "[ P - Long ] tail", "a=1", "[ P - Gone ]", "z=9", "[ P - Gone ]", "z=8"};
const char* const kTest =
    "; test\r\n[ P - Same ]\r\n\r\na=1  ,\r\nb=2\r\n[ P - Swap ]\r\nb=2\r\na=1\r\n[ P - Case ]\r\nkey=v\r\n"
    "[ P - Semi ]\r\n;\r\nx=1\r\n[ P - Extra ]\r\na=1\r\na=2\r\n[ p - Hdr ]\r\na=1\r\n[ P - Dup ]\r\na=1\r\n"
    "[ P - Dup ]\r\na=2\r\n[ P - Unsel ]\r\na=1\r\n[ P - Long ]\r\na=2\r\n[ T - Own ]\r\nq=1\r\n";

class CompareTest : public ::testing::Test {
protected:
    void SetUp() override {
        model::LoadLines(s.source, quillset::testing::TextOf(kControl));
        model::BuildWorkingLines(s.source, {});
        s.selection.keywords.selected = {"Same", "Swap", "Case", "Semi", "Extra", "Hdr", "Dup", "Long", "Gone"};
        testPath = dir.Write("test.ini", kTest);
    }
    CompareOutcome Run(const std::string& path) { return app::RunComparison(s, host, "source.ini", path); }
    std::string Rows() const {
        std::string out;
        for (const std::size_t r : s.comparison.DisplayOrder()) {
            const CompareRow& row = s.comparison.rows[r];
            out += std::string(row.header) + "|" + std::string(StatusText(row.status)) + "|" + selection::OrderKey(
                static_cast<std::int64_t>(row.number)) + "\n";
        }
        return out;
    }
    std::string Output() const {
        std::string out;
        for (std::int32_t i = 0; i < s.output.Count(); ++i) out += std::string(s.output[i]) + "|";
        return out;
    }

    ScratchDir dir;
    Session s;
    quillset::testing::FakeHost host;
    std::string testPath;
};

TEST_F(CompareTest, RowsStatusesKeysAndCounters) {
    ASSERT_EQ(Run(testPath), CompareOutcome::Compared);
    // A test header listed twice is judged on its own block each time; a
    // header contained in a longer control header is compared with that block.
    EXPECT_EQ(Rows(),
              "[ P - Same ]|Both: Identical|0000\n[ P - Swap ]|Both: Different|0001\n"
              "[ P - Case ]|Both: Different|0002\n[ P - Semi ]|Both: Identical|0003\n"
              "[ P - Extra ]|Both: Different|0004\n[ p - Hdr ]|TEST .ini Only|0005\n"
              "[ P - Dup ]|Both: Identical|0006\n[ P - Dup ]|Both: Different|0007\n"
              "[ P - Unsel ]|TEST .ini Only|0008\n[ P - Long ]|Both: Different|0009\n"
              "[ T - Own ]|TEST .ini Only|0010\n[ P - Hdr ]|Control ini Only|0018\n"
              "[ P - Gone ]|Control ini Only|0021\n[ P - Gone ]|Control ini Only|0022\n");
    EXPECT_EQ(s.comparison.counts, (CompareCounts{3, 3, 3, 5}));
    EXPECT_TRUE(host.messages.empty());

    // One direction for the whole list; "Line #" sorts by number past 9999.
    SortComparison(s.comparison, 0);
    EXPECT_EQ(Rows().substr(0, 28), "[ T - Own ]|TEST .ini Only|0");
    s.comparison.rows[0].number = 10000;
    SortComparison(s.comparison, 2);
    const std::string byNumber = Rows();
    EXPECT_EQ(byNumber.substr(0, 12), "[ P - Swap ]");
    EXPECT_EQ(byNumber.substr(byNumber.size() - 35), "[ P - Same ]|Both: Identical|10000\n");

    // The rows outlive the source's bytes they were compared with.
    model::LoadLines(s.source, quillset::testing::TextOf(std::vector<std::string>{"[ P - New ]"}));
    EXPECT_EQ(Rows(), byNumber);
}

TEST_F(CompareTest, RunMessagesAndWhatRemains) {
    ASSERT_EQ(Run(testPath), CompareOutcome::Compared);
#if defined(_WIN32)
    const std::string fifo = dir.Path("aux.ini");  // a device in every folder
#else
    const std::string fifo = dir.Path("fifo.ini");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
#endif
    struct Case {
        std::string path, source, message;
        CompareOutcome outcome;
        std::size_t rows;
    } cases[] = {
        {dir.Path("none.ini"), "source.ini", std::string(kVictimNotFound), CompareOutcome::NotFound, 14},
        {testPath, testPath, std::string(kSameFiles), CompareOutcome::SameFile, 0},
        {fifo, "source.ini", "Unable to read " + fifo + ": it is not a regular file", CompareOutcome::Unreadable, 0},
    };
    for (const Case& c : cases) {
        host.messages.clear();
        if (c.rows) {
            ASSERT_EQ(Run(testPath), CompareOutcome::Compared);
        }
        EXPECT_EQ(app::RunComparison(s, host, c.source, c.path), c.outcome) << c.path;
        EXPECT_EQ(host.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(s.comparison.rows.size(), c.rows);
    }
    EXPECT_FALSE(ComparesOnChange(std::string(kVictimPrompt)));
    EXPECT_TRUE(ComparesOnChange(testPath));

    // No header in the test file: control-only keys start at 0002. No
    // selection: every test header is a test-only row.
    ASSERT_EQ(Run(dir.Write("none.ini", "a=1\r\n")), CompareOutcome::Compared);
    EXPECT_EQ(Rows().substr(0, 36), "[ P - Same ]|Control ini Only|0002\n[");
    s.selection.keywords.selected.clear();
    ASSERT_EQ(Run(testPath), CompareOutcome::Compared);
    EXPECT_EQ(host.messages.back(), selection::kEmptySelectionMessage);
    EXPECT_EQ(s.comparison.counts, (CompareCounts{0, 11, 0, 0}));
}

TEST_F(CompareTest, ATestFileTooLargeForTheMemoryLeavesTheLastComparison) {
    if (!quillset::testing::kAddressLimitWorks) GTEST_SKIP() << quillset::testing::kNoAddressLimit;
    ASSERT_EQ(Run(testPath), CompareOutcome::Compared);
    const std::string rows = Rows();
    const model::Lines selected = s.selection.selectedHeaders;
    const std::string huge = dir.Write("huge.ini", quillset::testing::HugeSource(4'000'000));
    // In a child process, so the limit ends with it; it says what differs.
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(
        {
            if (!quillset::testing::LimitAddressSpace(32 << 20)) std::_Exit(2);
            bool threw = false;
            try {
                Run(huge);
            } catch (const std::bad_alloc&) {
                threw = true;
            }
            const bool kept = Rows() == rows && s.selection.selectedHeaders == selected && s.comparison.test.path == testPath;
            std::fputs(threw ? "" : "no std::bad_alloc\n", stderr);
            std::fputs(kept ? "" : ("rows now:\n" + Rows()).c_str(), stderr);
            std::_Exit(threw && kept ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(CompareTest, CloseBoxAsksWhatToDoWithTheRest) {
    host.answers = {true, false};
    EXPECT_EQ(CloseDecision(host), Decision::ClobberTheRest);
    EXPECT_EQ(CloseDecision(host), Decision::SkipTheRest);
    EXPECT_EQ(host.questions, std::vector<std::string>(2, std::string(kCloseQuestion)));
}

class ScriptedPreviewer : public BlockPreviewer {
public:
    std::vector<Decision> script;
    std::vector<std::string> shown;  // header and the number of paired lines
    Decision Decide(const CompareRow& row, const std::vector<PairedLine>& lines) override {
        shown.push_back(std::string(row.header) + " " + std::to_string(lines.size()));
        return script.at(shown.size() - 1);
    }
};

TEST_F(CompareTest, UpdatedFileUnderEachSetting) {
    ASSERT_EQ(Run(testPath), CompareOutcome::Compared);
    const std::string tests =
        "[ P - Same ]||a=1|b=2|[ P - Swap ]|b=2|a=1|[ P - Case ]|key=v|[ P - Semi ]|;|x=1|"
        "[ P - Extra ]|a=1|a=2|[ p - Hdr ]|a=1|[ P - Dup ]|a=1|[ P - Dup ]|a=2|[ P - Unsel ]|a=1|"
        "[ P - Long ]|a=2|[ T - Own ]|q=1|";
    const std::string appended = "[ P - Hdr ]|a=1|[ P - Gone ]|z=9|[ P - Gone ]|z=8||";
    // With the settings the compare tab and batch tests use, every status meets every mode.
    struct Case {
        ResetMode mode;
        bool append;
        std::vector<Decision> script;
        std::size_t previews;
        ResetMode after;
        std::string output;
    } cases[] = {
        {ResetMode::ResetNone, true, {}, 0, ResetMode::ResetNone, tests + appended},
        {ResetMode::ResetAll, true, {}, 0, ResetMode::ResetAll,
         "[ P - Same ]||a=1|b=2|[ P - Swap ]|a=1|b=2|[ P - Case ]|Key=v|[ P - Semi ]|;|x=1|"
         "[ P - Extra ]|a=1|[ p - Hdr ]|a=1|[ P - Dup ]|a=1|[ P - Dup ]|a=1|[ P - Unsel ]|a=1|"
         "[ P - Long ] tail|a=1|[ T - Own ]|q=1|" + appended},
        {ResetMode::Preview, false, {Decision::ClobberThis, Decision::SkipThis, Decision::SkipTheRest}, 3,
         ResetMode::ResetNone,
         "[ P - Same ]||a=1|b=2|[ P - Swap ]|a=1|b=2|" + tests.substr(tests.find("[ P - Case ]"))},
        {ResetMode::Preview, false, {Decision::SkipThis, Decision::ClobberTheRest}, 2, ResetMode::ResetAll,
         tests.substr(0, tests.find("[ P - Case ]")) +
             "[ P - Case ]|Key=v|[ P - Semi ]|;|x=1|[ P - Extra ]|a=1|[ p - Hdr ]|a=1|[ P - Dup ]|a=1|"
             "[ P - Dup ]|a=1|[ P - Unsel ]|a=1|[ P - Long ] tail|a=1|[ T - Own ]|q=1|"},
    };
    for (const Case& c : cases) {
        Session fresh;
        std::swap(fresh.output, s.output);
        ScriptedPreviewer previewer;
        previewer.script = c.script;
        SortComparison(s.comparison, 0);  // the run puts the rows back in "Line #" order
        EXPECT_EQ(app::RunUpdate(s, c.mode, c.append, previewer), c.after);
        EXPECT_EQ(previewer.shown.size(), c.previews);
        EXPECT_EQ(Output(), c.output);
        EXPECT_EQ(s.outputKind, 0);
    }
    // Repeated runs append behind what is there.
    ScriptedPreviewer none;
    app::RunUpdate(s, ResetMode::ResetNone, false, none);
    EXPECT_EQ(Output(), cases[3].output + tests);
}

TEST_F(CompareTest, PreviewPairsLinesByPosition) {
    ASSERT_EQ(Run(testPath), CompareOutcome::Compared);
    const CompareRow& swap = s.comparison.rows[1];
    const auto paired = PairLines(ControlBlock(s.source, s.comparison, swap), TestBlock(s.comparison, swap));
    ASSERT_EQ(paired.size(), 3u);
    EXPECT_FALSE(paired[0].differs);
    EXPECT_TRUE(paired[1].differs && paired[2].differs);
    const std::vector<std::string_view> control = {"[ H ]", "a", "b", "c", "d", "e"}, test = {"[ H ]", "a", "x", "c"};
    const auto padded = PairLines(control, test);
    ASSERT_EQ(padded.size(), 6u);
    EXPECT_EQ(padded[5].test, "");
    EXPECT_EQ(std::count_if(padded.begin(), padded.end(), [](const PairedLine& p) { return p.differs; }), 3);
    // The preview of a header found only inside a longer one shows that block.
    EXPECT_EQ(ControlBlock(s.source, s.comparison, s.comparison.rows[9]).front(), "[ P - Long ] tail");
}

TEST(RepeatedHeaders, TheKthTestBlockPairsWithTheKthControlBlock) {
    // "Two" and "Three" stand two and three times on each side; "Few" three
    // times in the control and twice in the test, "Once" the other way round.
    const std::vector<std::string> control = {
        "[ P - Two ]", "a=1", "[ P - Three ]", "b=1", "[ P - Two ]", "a=2", "[ P - Three ]", "b=2",
        "[ P - Three ]", "b=3", "[ P - Few ]", "c=1", "[ P - Few ]", "c=2", "[ P - Few ]", "c=3",
        "[ P - Once ]", "d=1"};
    const char* const test =
        "[ P - Two ]\r\na=1\r\n[ P - Two ]\r\na=2\r\n[ P - Three ]\r\nb=1\r\n[ P - Three ]\r\nb=2\r\n"
        "[ P - Three ]\r\nb=3\r\n[ P - Few ]\r\nc=1\r\n[ P - Few ]\r\nc=9\r\n"
        "[ P - Once ]\r\nd=1\r\n[ P - Once ]\r\nd=2\r\n";
    ScratchDir dir;
    Session s;
    quillset::testing::FakeHost host;
    model::LoadLines(s.source, quillset::testing::TextOf(control));
    model::BuildWorkingLines(s.source, {});
    s.selection.keywords.selected = {"Two", "Three", "Few", "Once"};
    ASSERT_EQ(app::RunComparison(s, host, "source.ini", dir.Write("test.ini", test)), CompareOutcome::Compared);
    std::string statuses;
    for (const CompareRow& row : s.comparison.rows) statuses += std::string(StatusText(row.status)).substr(6, 1);
    // The third "Few" holds a part, so it has no row of its own.
    EXPECT_EQ(statuses, "IIIIIIDID");
    EXPECT_EQ(s.comparison.counts, (CompareCounts{0, 0, 7, 2}));
    EXPECT_EQ(RowDifferences(s.source, s.comparison, s.comparison.rows[6]),
              (std::vector<KeyDifference>{{KeyDifference::Kind::Changed, "c", "2", "9"}}));

    ScriptedPreviewer previewer;
    previewer.script = {Decision::ClobberThis, Decision::ClobberThis};
    app::RunUpdate(s, ResetMode::Preview, true, previewer);
    std::string out;
    for (std::int32_t i = 0; i < s.output.Count(); ++i) out += std::string(s.output[i]) + "|";
    EXPECT_EQ(out,
              "[ P - Two ]|a=1|[ P - Two ]|a=2|[ P - Three ]|b=1|[ P - Three ]|b=2|[ P - Three ]|b=3|"
              "[ P - Few ]|c=1|[ P - Few ]|c=2|[ P - Once ]|d=1|[ P - Once ]|d=1||");

    // The pairing ignores case and falls back to the first control header.
    const std::vector<std::string_view> controls = {"[A]", "[B]", "[a]"}, tests = {"[a]", "[b]", "[A]", "[A]", "[C]"};
    const auto pairs = PairByOccurrence(controls, tests);
    std::vector<std::pair<std::size_t, std::size_t>> got;
    for (const Pairing& p : pairs) got.emplace_back(p.control, p.occurrence);
    EXPECT_EQ(got, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 0}, {1, 0}, {2, 1}, {0, 2}, {kNone, 0}}));
}

TEST(RepeatedHeaders, ManyCopiesOfOneHeaderAreEachJudgedOnTheirOwnBlock) {
    // One control block judged again and again: every row agrees with
    // comparing the two blocks themselves, blank lines anywhere.
    const std::vector<std::string> control = {"[ P - One ]", "a=1", "", "b=2", "[ P - Two ]", "c=3"};
    const char* const test =
        "[ P - One ]\r\na=1\r\nb=2\r\n[ P - One ]\r\n\r\na=1\r\n\r\nb=2\r\n\r\n[ P - One ]\r\na=1\r\n"
        "[ P - One ]\r\na=1\r\nb=2\r\nc=3\r\n[ P - One ]\r\n[ P - One ]\r\nb=2\r\na=1\r\n[ p - one ]\r\na=1\r\nb=2\r\n"
        "[ P - Two ]\r\nc=3\r\n[ P - One ]\r\na=1\r\nb=2\r\n";
    ScratchDir dir;
    Session s;
    quillset::testing::FakeHost host;
    model::LoadLines(s.source, quillset::testing::TextOf(control));
    model::BuildWorkingLines(s.source, {});
    s.selection.keywords.selected = {"One", "Two"};
    ASSERT_EQ(app::RunComparison(s, host, "source.ini", dir.Write("test.ini", test)), CompareOutcome::Compared);
    std::string statuses;
    for (const CompareRow& row : s.comparison.rows) {
        statuses += std::string(StatusText(row.status)).substr(6, 1);
        if (row.status == Status::TestOnly) continue;
        const auto c = ControlBlock(s.source, s.comparison, row), t = TestBlock(s.comparison, row);
        EXPECT_EQ(row.status == Status::Identical,
                  BlocksIdentical(std::span(c).subspan(1), std::span(t).subspan(1)))
            << row.number;
    }
    EXPECT_EQ(statuses, "IIDDDDiII");  // the case-different header is not contained
}

TEST(KeyDifferences, PairByKeyWhateverTheOrder) {
    const std::vector<std::string_view> control = {"a=1", "b=2", "c=3", "a=4", "", "flag"},
                                        test = {"b=2", "a=1", "a=5", "d = 6", "b =2"};
    const auto diffs = DiffByKey(control, test);
    using K = KeyDifference::Kind;
    EXPECT_EQ(diffs, (std::vector<KeyDifference>{{K::Changed, "a", "4", "5"}, {K::ControlOnly, "c", "c=3", ""},
                                                 {K::ControlOnly, "flag", "flag", ""},
                                                 {K::TestOnly, "d", "", "d = 6"}, {K::TestOnly, "b", "", "b =2"}}));
    EXPECT_EQ(DescribeDifferences({diffs[0], diffs[1], diffs[3]}),
              "Changed: a (control \"4\", test \"5\")\nOnly in control: c=3\nOnly in test: d = 6");
}

TEST(Containment, FastSearchGivesThePlainScansAnswer) {
    EXPECT_FALSE(HeaderContains("[A]", ""));
    EXPECT_FALSE(HeaderContains("", "[A]"));
    EXPECT_FALSE(HeaderContains("[A] x", "[a]"));
    EXPECT_TRUE(HeaderContains("x [A] x", "[A]"));
    const std::vector<std::string> lines = {"", "[A]", "[a]"};
    EXPECT_EQ(FindLine(lines, "[a]"), 1);
    EXPECT_EQ(FindLine(lines, "[b]"), -1);

    std::mt19937 random(13);
    auto text = [&](int maxLength) {
        std::string t(random() % (maxLength + 1), ' ');
        for (char& c : t) c = "[ab]"[random() % 4];
        return t;
    };
    for (int round = 0; round < 500; ++round) {
        std::vector<std::string> containers(random() % 8), parts(random() % 8);
        for (auto& c : containers) c = text(9);
        for (auto& p : parts) p = text(4);
        const std::vector<std::string_view> cv(containers.begin(), containers.end()), pv(parts.begin(), parts.end());
        ASSERT_EQ(FindContainers(cv, pv), FindContainersPlain(cv, pv)) << round;
    }
}

}  // namespace
}  // namespace quillset::compare
