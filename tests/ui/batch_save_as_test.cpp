// The bundled sample exported or resized in the window and saved with
// "Save As..." gives the very bytes, and the window's messages the very
// standard error, that quillset-batch gives for the same selection.

#include "support/run_process.h"
#include "ui/window_fixture.h"

namespace quillset::ui {
namespace {

class BatchSaveAs : public testing::MainWindowFixture {
protected:
    void SetUp() override {
        Source()->setText(QString::fromStdString(kSample));
        Click("cmdProcessInput");
    }
    // Selects the keywords of `text` ("|" between them) and clicks `command`.
    void SelectBy(const char* command, const QString& text) {
        Get<QLineEdit>("txtGrep")->setText(text);
        auto* available = Get<QListView>("lstHdrAvail");
        for (int row = 0; row < available->model()->rowCount(); ++row) {
            const QModelIndex index = available->model()->index(row, 0);
            if (text.split('|').contains(index.data().toString()))
                available->selectionModel()->select(index, QItemSelectionModel::Select);
        }
        Click(command);
    }
    // Clicks `command`, saves the Results window's text, closes it, and
    // compares the bytes and messages with quillset-batch run with `args`.
    void ExpectSameAsBatch(const char* command, const std::vector<std::string>& args) {
        prompter.messages.clear();
        Click(command);
        QWidget* results = window->host().resultsWindow();
        ASSERT_NE(results, nullptr) << command;
        dialogs.answers.push_back(dir.filePath("saved.txt"));
        results->findChild<QPushButton*>("cmdSaveResults")->click();
        const QByteArray bytes = saved = testing::ReadFile(dir.filePath("saved.txt"));
        QFile::remove(dir.filePath("saved.txt"));
        results->findChild<QPushButton*>("cmdClose")->click();  // the next command starts afresh

        const auto batch = testing::RunProcess(QUILLSET_BATCH, args, dir.path().toStdString());
        std::string name;
        for (const auto& a : args) name += a + " ";
        EXPECT_EQ(batch.status, 0) << name << batch.err;
        EXPECT_GT(bytes.size(), 40) << name;
        EXPECT_EQ(batch.out, bytes.toStdString()) << name;
        const QString told = prompter.messages.join('\n');
        EXPECT_EQ(batch.err, (told.isEmpty() ? told : told + '\n').toStdString()) << name;
    }

    const std::string kSample = QUILLSET_SAMPLES_DIR "/office_standard.ini";
    QByteArray saved;  // the window's bytes of the last command
};

TEST_F(BatchSaveAs, ExportsEqualOnTheSample) {
    // Grep across categories and over the duplicated "Labels" preferences,
    // two keywords added by hand, and Add All.
    const struct { const char* command; QString text; std::vector<std::string> batch; } cases[] = {
        {"cmdHeaderGrep", "Curb", {"--grep", "Curb"}},
        {"cmdHeaderGrep", "Labels", {"--grep", "Labels"}},
        {"cmdAdd", "Fence|Plot Scale", {"--keyword", "Fence", "--keyword", "Plot Scale"}},
        {"cmdAddAll", "", {"--all"}},
    };
    for (const auto& c : cases) {
        Click("cmdProcessInput");
        SelectBy(c.command, c.text);
        for (const auto& [kind, command] : {std::pair{"ini", "cmdExportHeaders"}, {"csv", "cmdExport2CSV"},
                                            {"tsv", "cmdPref2CSV"}}) {
            std::vector<std::string> args{"export", kind, kSample};
            args.insert(args.end(), c.batch.begin(), c.batch.end());
            ExpectSameAsBatch(command, args);
        }
    }
}

TEST_F(BatchSaveAs, ResizeEqualsOnTheSample) {
    SelectBy("cmdHeaderGrep", "Curb");
    Get<QCheckBox>("chkResizeHeight")->setChecked(false);
    Get<QLineEdit>("txtTextWidth")->setText("0.9");
    Get<QLineEdit>("txtLineSpace")->setText("1.25");
    ExpectSameAsBatch("cmdResizeText", {"resize", kSample, "--grep", "Curb", "--width", "0.9", "--spacing", "1.25"});
    EXPECT_TRUE(saved.contains("2.5,0.9,1.25,"));
}

}  // namespace
}  // namespace quillset::ui
