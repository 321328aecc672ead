#include "settings/FileDialogs.h"
#include "settings/Module1Color.h"

#include "ModalAnswer.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kNul(QChar(0));

void rejectModal(std::source_location where = std::source_location::current())
{
    answerNextModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); }, where);
}

// The user picks `path`, after switching to filter number `filterIndex` when one is given.
void chooseFile(const QString& path, int filterIndex = 0,
                std::source_location where = std::source_location::current())
{
    answerNextModal([=](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        if (filterIndex > 0)
            d->selectNameFilter(d->nameFilters().at(filterIndex - 1));
        d->selectFile(path);
        static_cast<QDialog*>(d)->accept();  // QFileDialog's own accept() is protected
    }, where);
}

const char* kFilter = "Bitmap Files (*.bmp)|*.bmp|JPEG Files (*.jpg)|*.jpg";

TEST(FixFilter, PicksOnePairOfTheConvertedList)
{
    struct Case {
        QString list;
        int index;
        QString expected;
    };
    const QString two = ConvertDialogFilter("Bitmap|*.bmp|JPEG|*.jpg;*.jpeg");
    const Case cases[] = {
        {ConvertDialogFilter("All (*.*)| *.*"), 1, "All (*.*)" + kNul + " *.*"},
        {two, 1, "Bitmap" + kNul + "*.bmp"},
        {two, 2, "JPEG" + kNul + "*.jpg;*.jpeg"},
        {two, 0, ""},
        {two, -3, ""},
        {"", 1, ""},
        {kNul, 1, ""},
        {"no separator at all", 1, ""},
        {"Desc" + kNul + "*.x", 1, "Desc" + kNul + "*.x"},
        {"Desc" + kNul + "*.x", 2, ""},
        // A ":" in a description cuts it, so the pairs shift.
        {ConvertDialogFilter("Time: 10|*.jpg"), 1, "Time" + kNul + " 10"},
        {ConvertDialogFilter("Time: 10|*.jpg"), 2, "*.jpg" + kNul},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FixFilter(c.list, c.index), c.expected)
            << QString(c.list).replace(kNul, "\\0").toStdString() << " #" << c.index;
}

TEST(FixFilter, ConversionAndQtNameFilters)
{
    EXPECT_EQ(ConvertDialogFilter("A|*.a:B|*.b"), "A" + kNul + "*.a" + kNul + "B" + kNul + "*.b" + kNul + kNul);
    EXPECT_EQ(DialogNameFilters(ConvertDialogFilter(kFilter)),
              QStringList({"Bitmap Files (*.bmp) (*.bmp)", "JPEG Files (*.jpg) (*.jpg)"}));
    EXPECT_EQ(DialogNameFilters(ConvertDialogFilter("Bitmap Files 'True Size' (*.bmp)|*.bmp|Pictures|*.png")),
              QStringList({"Bitmap Files 'True Size' (*.bmp) (*.bmp)", "Pictures (*.png)"}));
    EXPECT_EQ(DialogNameFilters(ConvertDialogFilter("Pictures|*.jpg; *.bmp|All (*.*)| *.*")),
              QStringList({"Pictures (*.jpg *.bmp)", "All (*.*) (*)"}));
    EXPECT_EQ(DialogNameFilters(ConvertDialogFilter("")), QStringList());
    // The user reads the descriptions alone.
    EXPECT_EQ(DialogFilterTexts(ConvertDialogFilter("Pictures|*.jpg; *.bmp|All (*.*)| *.*")),
              QStringList({"Pictures", "All (*.*)"}));
}

void fillProposal(FileDialogArgs& a)
{
    a.fileName = "shot.jpg";
    a.fileTitle = "shot.jpg";
    a.filter = kFilter;
    a.filterIndex = 2;
    a.flags = 0x8;
}

void expectCancelled(const FileDialogArgs& a, int32_t filterIndex)
{
    EXPECT_EQ(a.fileName, kNul);
    EXPECT_EQ(a.fileTitle, kNul);
    EXPECT_EQ(a.filter, kNul);
    EXPECT_EQ(a.flags, 0);
    EXPECT_EQ(a.filterIndex, filterIndex);
}

TEST(FileDialogs, CancelWritesTheCancelValues)
{
    SaveDialogArgs save;
    fillProposal(save);
    rejectModal();
    EXPECT_EQ(ShowSaveDialog(save), DialogResult::Cancelled);
    expectCancelled(save, 0);

    OpenDialogArgs open;
    fillProposal(open);
    open.mustExist = true;
    rejectModal();
    EXPECT_EQ(ShowOpenDialog(open), DialogResult::Cancelled);
    expectCancelled(open, -1);
}

TEST(FileDialogs, DialogIsSetUpFromTheArguments)
{
    QTemporaryDir dir;
    OpenDialogArgs a;
    a.filter = "Programs|*.exe|All (*.*)|*.*";
    a.filterIndex = 2;
    a.initialFolder = dir.path();
    a.dialogTitle = "Select the picture editor";
    a.defaultExtension = "exe";
    a.mustExist = true;
    struct Seen {
        bool nonNative = false;
        QString title, folder, selectedFilter, suffix;
        QStringList filters, modelFilters;
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
    } seen;
    answerNextModal([&](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        seen = {d->testOption(QFileDialog::DontUseNativeDialog),
                d->windowTitle(),
                d->directory().absolutePath(),
                d->selectedNameFilter(),
                d->defaultSuffix(),
                d->nameFilters(),
                d->findChild<QFileSystemModel*>()->nameFilters(),
                d->fileMode()};
        d->reject();
    });
    ShowOpenDialog(a);
    EXPECT_TRUE(seen.nonNative);
    EXPECT_EQ(seen.title, "Select the picture editor");
    EXPECT_EQ(seen.folder, dir.path());
    EXPECT_EQ(seen.filters, QStringList({"Programs (*.exe)", "All (*.*) (*)"}));
    EXPECT_TRUE(seen.selectedFilter == "All (*.*) (*)" || seen.selectedFilter == "All (*.*)") << seen.selectedFilter.toStdString();
    // "*.*" shows files without a point as well.
    EXPECT_EQ(seen.modelFilters, QStringList({"*"}));
    EXPECT_EQ(seen.suffix, "exe");
    EXPECT_EQ(seen.mode, QFileDialog::ExistingFile);
}

TEST(FileDialogs, SaveConfirmWritesTheChoiceBack)
{
    QTemporaryDir dir;
    SaveDialogArgs a;
    a.fileName = "proposal.bmp";
    a.filter = kFilter;
    a.filterIndex = 1;
    a.initialFolder = dir.path();
    a.defaultExtension = "bmp";
    a.overwritePrompt = true;
    a.flags = 0x8 | DialogFlags::EnableHook | DialogFlags::EnableTemplate;
    chooseFile(dir.filePath("shot.jpg"), 2);
    ASSERT_EQ(ShowSaveDialog(a), DialogResult::Confirmed);
    EXPECT_EQ(a.fileName, dir.filePath("shot.jpg"));
    EXPECT_EQ(a.fileTitle, "shot.jpg");
    EXPECT_EQ(a.filterIndex, 2);
    EXPECT_EQ(a.filter, "JPEG Files (*.jpg)" + kNul + "*.jpg");
    EXPECT_EQ(a.flags, 0x8 | DialogFlags::HideReadOnly | DialogFlags::OverwritePrompt
                           | DialogFlags::ExtensionDifferent);
}

TEST(FileDialogs, SaveAddsTheDefaultExtension)
{
    QTemporaryDir dir;
    SaveDialogArgs a;
    a.filter = kFilter;
    a.initialFolder = dir.path();
    a.defaultExtension = "bmp";
    chooseFile(dir.filePath("frame"));
    ASSERT_EQ(ShowSaveDialog(a), DialogResult::Confirmed);
    EXPECT_EQ(a.fileName, dir.filePath("frame.bmp"));
    EXPECT_EQ(a.filterIndex, 1);
    EXPECT_EQ(a.flags, DialogFlags::HideReadOnly);
}

// A name typed without an extension takes the chosen filter's, and the question
// whether to replace is asked about that file: "shot" with the bitmap filter is
// shot.bmp even when the dialog opened on JPEG.
TEST(FileDialogs, SaveAsksAboutTheFileTheChosenFilterNames)
{
    QTemporaryDir dir;
    QFile existing(dir.filePath("shot.bmp"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("old picture");
    existing.close();
    SaveDialogArgs a;
    a.filter = kFilter;
    a.filterIndex = 2;
    a.defaultExtension = "jpg";
    a.initialFolder = dir.path();
    a.overwritePrompt = true;
    QString question;
    chooseFile(dir.filePath("shot"), 1);
    // The question comes up over the dialog: No keeps the file, and the dialog is left.
    answerNextModalOf<QMessageBox>([&](QMessageBox* m) {
        question = m->text();
        m->button(QMessageBox::No)->click();
        answerNextModalOf<QFileDialog>([](QFileDialog* d) { static_cast<QDialog*>(d)->reject(); });
    });
    EXPECT_EQ(ShowSaveDialog(a), DialogResult::Cancelled);
    EXPECT_TRUE(question.contains("shot.bmp already exists")) << question.toStdString();
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), "old picture");

    // Switched to JPEG, "frame" becomes frame.jpg.
    SaveDialogArgs b;
    b.filter = kFilter;
    b.filterIndex = 1;
    b.defaultExtension = "bmp";
    b.initialFolder = dir.path();
    chooseFile(dir.filePath("frame"), 2);
    ASSERT_EQ(ShowSaveDialog(b), DialogResult::Confirmed);
    EXPECT_EQ(b.fileName, dir.filePath("frame.jpg"));
    EXPECT_EQ(b.filterIndex, 2);
}

TEST(FileDialogs, OpenConfirmKeepsTheReadOnlySwitch)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("editor"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    OpenDialogArgs a;
    a.filter = "All (*.*)|*.*";
    a.initialFolder = dir.path();
    a.mustExist = true;
    a.readOnly = true;
    a.hideReadOnly = true;
    chooseFile(dir.filePath("editor"));
    ASSERT_EQ(ShowOpenDialog(a), DialogResult::Confirmed);
    EXPECT_EQ(a.fileName, dir.filePath("editor"));
    EXPECT_EQ(a.fileTitle, "editor");
    EXPECT_EQ(a.filter, "All (*.*)" + kNul + "*.*");
    EXPECT_EQ(a.flags, DialogFlags::FileMustExist | DialogFlags::ReadOnly | DialogFlags::HideReadOnly);
    EXPECT_TRUE(a.readOnly);
}

TEST(FileDialogs, OverlongProposalsShowNoDialog)
{
    bool shown = false;
    // A dialog shown all the same is counted and closed instead of waiting.
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            shown = true;
            d->reject();
        }
    });
    guard.start(10);
    SaveDialogArgs save;
    save.fileName = QString(kMaxDialogFileName + 1, 'a');
    EXPECT_EQ(ShowSaveDialog(save), DialogResult::NameTooLong);
    EXPECT_EQ(save.fileName.size(), kMaxDialogFileName + 1);
    OpenDialogArgs open;
    open.fileTitle = QString(kMaxDialogFileTitle + 1, 'a');
    open.filterIndex = 3;
    EXPECT_EQ(ShowOpenDialog(open), DialogResult::NameTooLong);
    EXPECT_EQ(open.filterIndex, 3);
    EXPECT_FALSE(shown);
}

TEST(PickColor, ChosenColourAsBgrAndCancelAsMinusOne)
{
    SettingsModel s;
    QColorDialog::setCustomColor(3, Qt::red);
    bool nonNative = false, customBlack = true;
    answerNextModal([&](QWidget* w) {
        auto* d = qobject_cast<QColorDialog*>(w);
        nonNative = d->testOption(QColorDialog::DontUseNativeDialog);
        for (int i = 0; i < 16; ++i)
            customBlack = customBlack && QColorDialog::customColor(i) == QColor(Qt::black);
        d->setCurrentColor(QColor(0x12, 0x34, 0x56));
        d->accept();
    });
    PickColor(s, nullptr);
    EXPECT_EQ(s.PickedColor, 0x563412);
    EXPECT_TRUE(nonNative);
    EXPECT_TRUE(customBlack);

    rejectModal();
    PickColor(s, nullptr);
    EXPECT_EQ(s.PickedColor, -1);
}

}  // namespace
