#include "app/Unit2.h"
#include "base/Exception.h"
#include "tests/analysis/ProfileFixture.h"
#include "tests/common/KeepCurrentDirectory.h"
#include "toolkit/Button.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/Edit.h"
#include "toolkit/FileListBox.h"
#include "toolkit/ListBox.h"

#include <QDir>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace {

// A pulse of four bins on a gently varying baseline.
std::vector<std::string> PulseValues() {
    std::vector<double> values;
    for (int i = 0; i < 64; ++i)
        values.push_back(i >= 30 && i < 34 ? 100.0 + i : 10.0 + (i * 7 % 5) * 0.5);
    return fixture::Texts(values);
}

std::map<QString, QString> EditTexts(const TForm2& form) {
    std::map<QString, QString> texts;
    for (const TEdit* edit : form.findChildren<TEdit*>())
        texts[edit->objectName()] = edit->text();
    return texts;
}

QStringList Entries(const TListBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text();
    return entries;
}

class AnalyzeTest : public ::testing::Test {
protected:
    void SetUp() override {
        fixture::TProfileSpec spec;
        spec.Values = PulseValues();
        Dir.Write("p1.torvane", fixture::ProfileText(spec));
        std::filesystem::create_directory(Dir.Path("sub"));
        Form.DirectoryListBox1->SetDirectory(QString::fromStdString(Dir.Path("")));
    }

    void Select(int row) {
        Form.show(); // the file list is filled when first shown
        ASSERT_GT(Form.FileListBox1->count(), row);
        Form.FileListBox1->setCurrentRow(row);
    }

    fixture::TTempDir Dir;
    TKeepCurrentDirectory KeepCurrentDirectory;
    TForm2 Form;
};

} // namespace

TEST_F(AnalyzeTest, SelectionEnablesAnalyzeAndNamesTheFileRelativeToTheCurrentDirectory) {
    EXPECT_FALSE(Form.Button1->isEnabled());
    Form.show();
    EXPECT_EQ(Form.Edit1->text(), "*.torvane*");
    Select(0);
    EXPECT_TRUE(Form.Button1->isEnabled());
    EXPECT_EQ(Form.Edit1->text(), "p1.torvane");
    EXPECT_EQ(std::filesystem::canonical(std::filesystem::current_path()),
              std::filesystem::canonical(Dir.Path("")));

    Form.DirectoryListBox1->SetDirectory(QString::fromStdString(Dir.Path("sub")));
    EXPECT_EQ(Form.Edit1->text(), "*.torvane*");
    EXPECT_TRUE(Form.Button1->isEnabled());
    EXPECT_EQ(std::filesystem::canonical(std::filesystem::current_path()),
              std::filesystem::canonical(Dir.Path("sub")));
}

TEST_F(AnalyzeTest, AnalyzeFillsThePanelAndASecondRunGivesTheSameTexts) {
    Select(0);
    Form.Button1->click();
    EXPECT_EQ(Form.Edit1->text(), "p1.torvane");
    EXPECT_EQ(Form.Edit4->text().toLongLong(),
              static_cast<long long>(std::filesystem::file_size(Dir.Path("p1.torvane"))));
    const QStringList header = Entries(Form.ListBox5);
    ASSERT_EQ(header.size(), 26);
    EXPECT_TRUE(header[1].startsWith("# Input file       =  J0000+0000_DM10.00.dat"));
    const QStringList bins = Entries(Form.ListBox1);
    ASSERT_EQ(bins.size(), 64);
    EXPECT_EQ(bins[33], "33   ,   133");
    EXPECT_EQ(Form.Edit11->text(), "33");
    EXPECT_EQ(Form.Edit2->text(), " J0000+0000");
    EXPECT_TRUE(Form.Edit3->text().endsWith("  UTC"));
    for (TEdit* filled : {Form.Edit5, Form.Edit6, Form.Edit18, Form.Edit15, Form.Edit16,
                          Form.Edit17, Form.Edit13, Form.Edit12, Form.Edit8, Form.Edit14})
        EXPECT_FALSE(filled->text().isEmpty()) << filled->objectName().toStdString();

    const auto first = EditTexts(Form);
    const QStringList firstBins = Entries(Form.ListBox1);
    Form.Button1->click();
    EXPECT_EQ(EditTexts(Form), first);
    EXPECT_EQ(Entries(Form.ListBox1), firstBins);
}

TEST_F(AnalyzeTest, AFileThatCannotBeOpenedStopsAfterTheFileSizeWithItsMessage) {
    Select(0);
    Form.Button1->click();
    const QString maxBefore = Form.Edit6->text();
    // After a directory change Edit1 shows the mask, which names no file.
    Form.DirectoryListBox1->SetDirectory(QString::fromStdString(Dir.Path("sub")));
    try {
        Form.Button1Click();
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("Cannot open \"*.torvane*\""), std::string::npos) << e.Message();
    }
    EXPECT_EQ(Entries(Form.ListBox5), QStringList(26, QString()));
    EXPECT_EQ(Form.Edit4->text(), "0");
    EXPECT_EQ(Form.Edit6->text(), maxBefore); // later steps keep the last analysis
    EXPECT_EQ(Form.ListBox1->count(), 64);
}

TEST_F(AnalyzeTest, NamesThatAreNoValidTextOpenTheirOwnFile) {
    // Two names that the list shows alike, each a profile of another pulsar.
    const std::string names[] = {"\xff\xfe.torvane", "\xfe\xff.torvane"};
    const std::string pulsars[] = {"J1111+1111_DM1.00.dat", "J2222+2222_DM2.00.dat"};
    std::filesystem::remove(Dir.Path("p1.torvane"));
    for (int i = 0; i < 2; ++i) {
        fixture::TProfileSpec spec;
        spec.Values = PulseValues();
        spec.InputFile = pulsars[i];
        Dir.Write(names[i], fixture::ProfileText(spec));
    }
    Form.DirectoryListBox1->SetDirectory(QString::fromStdString(Dir.Path("")));
    Form.show();
    ASSERT_EQ(Form.FileListBox1->count(), 2);
    std::set<std::string> analysed;
    for (int row = 0; row < 2; ++row) {
        Select(row);
        const QString shown = Form.FileListBox1->item(row)->text();
        EXPECT_EQ(shown, QString::fromLocal8Bit("\xff\xfe.torvane")); // as the listing shows it
        EXPECT_EQ(Form.Edit1->text(), shown);
        Form.Button1Click();
        EXPECT_EQ(Form.Edit1->text(), shown);
        analysed.insert(Form.Edit2->text().trimmed().toStdString());
        // The box keeps the bytes across the analysis: a second one opens the same file.
        const QString pulsar = Form.Edit2->text();
        Form.Button1Click();
        EXPECT_EQ(Form.Edit2->text(), pulsar);
    }
    EXPECT_EQ(analysed, (std::set<std::string>{"J1111+1111", "J2222+2222"}));
}
