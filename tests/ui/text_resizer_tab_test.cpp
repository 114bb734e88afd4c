#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <clocale>
#include <memory>
#include <string>

#include "session.h"
#include "support/fake_host.h"
#include "ui/app_host.h"
#include "ui/fake_ui.h"
#include "ui/main_window.h"
#include "ui/results_window.h"

namespace quillset::ui {
namespace {

// A decimal-comma locale for Qt and, where the system has it, for the C library.
struct GermanLocale {
    GermanLocale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::setlocale(LC_ALL, "de_DE.UTF-8");
    }
    ~GermanLocale() {
        QLocale::setDefault(before);
        std::setlocale(LC_ALL, cBefore.c_str());
    }
    const QLocale before;
    const std::string cBefore = std::setlocale(LC_ALL, nullptr);
};

class TextResizerTabTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        settings.Save("Tempfile", "FileName", dir.filePath("results.tmp").toStdString());
        window = std::make_unique<MainWindow>(session, prompter, dialogs, settings);
        window->show();
        QFile f(dir.filePath("source.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[ Feature Style - Road ]\r\n001DefaultTextSymbology=L,1,0,0,3,2.0,2.0,1.5,Std,0\r\n"
                "[ Named Symbology - Road ]\r\n004PlanTextSymbology=L|1|0|0|3|2|2|1|S\r\n"
                "000PlanLineSymbology=L,1,0,0,3,2,2,1,S\r\n"
                "[ Named Symbology - Curb ]\r\n001DefaultTextSymbology=L,1,0,0,3,2,2,1,S\r\n");
        f.close();
        Get<QLineEdit>("txtSeedIn")->setText(f.fileName());
        Click("cmdProcessInput");
        Get<QLineEdit>("txtGrep")->setText("Road");
        Click("cmdHeaderGrep");
    }
    template <typename T = QWidget>
    T* Get(const char* name) const {
        auto* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Click(const char* name) { Get<QPushButton>(name)->click(); }
    QStringList Preview() const {
        QStringList items;
        auto* list = Get<QListWidget>("lstPrevuTextResize");
        for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
        return items;
    }
    QByteArray Results() const {
        ResultsWindow* results = window->host().resultsWindow();
        return results ? results->TextBytes() : QByteArray();
    }

    QTemporaryDir dir;
    Session session;
    testing::FakePrompter prompter;
    testing::FakeFileDialogs dialogs;
    testing::FakeSettings settings;
    std::unique_ptr<MainWindow> window;
};

TEST_F(TextResizerTabTest, PreviewListsMatchingBlocksAndResizeSendsTheWholeText) {
    ASSERT_TRUE(Get("cmdResizeText")->isEnabled());
    Click("cmdPreVuResize");
    EXPECT_EQ(Preview(), (QStringList{"  ", "[ Feature Style - Road ]",
                                      "001DefaultTextSymbology=L,1,0,0,3,2.0,2.0,1.5,Std,0", "  ",
                                      "[ Named Symbology - Road ]", "004PlanTextSymbology=L|1|0|0|3|2|2|1|S"}));

    // Typed in the locale's form, written with "." whatever the locale.
    GermanLocale german;
    Get<QLineEdit>("txtTextWidth")->setText("0,75");
    Get<QCheckBox>("chkResizeHeight")->setChecked(false);
    Get<QCheckBox>("chkPipe")->setChecked(true);
    session.outputKind = 1;
    Click("cmdResizeText");
    EXPECT_EQ(Results(), "[ Feature Style - Road ]\r\n001DefaultTextSymbology=L,1,0,0,3,2.0,0.75,1,Std,0\r\n\r\n"
                         "[ Named Symbology - Road ]\r\n004PlanTextSymbology=L|1|0|0|3|2|0.75|1|S\r\n"
                         "000PlanLineSymbology=L,1,0,0,3,2,2,1,S\r\n"
                         "[ Named Symbology - Curb ]\r\n001DefaultTextSymbology=L,1,0,0,3,2,2,1,S\r\n\r\n");
    EXPECT_EQ(session.outputKind, 0);
    EXPECT_TRUE(prompter.messages.isEmpty());

    // A box without a number ends the command before the hand-off.
    const QByteArray shown = Results();
    Get<QLineEdit>("txtLineSpace")->setText("wide");
    Click("cmdResizeText");
    EXPECT_EQ(Results(), shown);
    EXPECT_EQ(prompter.messages,
              QStringList{"\"wide\" in the Line Spacing box is not a number. Nothing was resized."});

    // A vanished source leaves the preview as it was; Clear empties it.
    QFile::remove(Get<QLineEdit>("txtSeedIn")->text());
    Click("cmdPreVuResize");
    EXPECT_EQ(prompter.messages.last(), "Invalid source.ini, exiting...");
    EXPECT_EQ(Preview().size(), 6);
    Click("cmdClobClearItems");
    EXPECT_TRUE(Preview().isEmpty());
}

}  // namespace
}  // namespace quillset::ui
