// Project files in the window: a saved selection reopens in a new window with every cell, the
// device, header and notes unchanged; the title shows the file and a modified mark; unsaved
// changes are asked about before closing or opening; a bad file leaves the open selection as it
// was and names the file and the reason.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "WindowFixture.h"
#include "series/UProjekt.h"

namespace {

class ProjectWindowTest : public WindowTest {
protected:
    // Everything the window shows of a selection: every table cell, the air and device inputs,
    // the type key and the device figures.
    QStringList Shown() const {
        QStringList texts;
        for (TDatenGrid* g : w->findChildren<TDatenGrid*>())
            for (int r = 0; r < g->RowCount(); ++r)
                for (int c = 0; c < g->ColCount(); ++c) texts << g->Cell(c, r);
        for (TNumEditBase* e : w->findChildren<TNumEditBase*>()) texts << e->objectName() + "=" + e->text();
        for (QLabel* l : {w->Label_Bauform, w->L_Hoehe, w->L_Laenge, w->L_Breite, w->L_Gewicht})
            texts << l->text();
        texts << w->Combo_VXSerie->currentText() << w->Combo_VXTyp->currentText()
              << w->Combo_Bypass->currentText();
        return texts;
    }

    // A selection typed as a user does: two cases, VX 95 / 1045 with a side bypass at 8 m/s,
    // header lines and notes; calculated.
    void TypeSelection() {
        ShowBothCases();
        Type(w->Winter.SVol11, "3000");
        Type(w->Winter.SVol21, "2850");
        Type(w->Winter.Temp11, "-12.3");
        Type(w->Summer.SVol11, "3000");
        Type(w->Summer.SVol21, "2850");
        Type(w->Summer.Temp11, "31.7");
        Choose(w->Combo_VXTyp, "VX 95");
        Type(w->Edit_GBreite, "1045");
        w->Combo_Bypass->setCurrentIndex(1);
        Type(w->Edit_BypGeschw, "8");
        w->Selection.PrintHeader = true;
        w->Selection.HeaderLines = {"Project:", "Schulgebäude Nord", "Unit:", "AHU 2", "", "", "", ""};
        w->Selection.NotesData = {"Bypass for free cooling", "", ""};
        w->Selection.NotesChart = {"", "Summer dotted", ""};
        PressF9();
        ASSERT_TRUE(w->ResultsValid()) << (ShownMessages().isEmpty() ? "" : ShownMessages().back().Text.toStdString());
    }

    QTemporaryDir dir_;
};

TEST_F(ProjectWindowTest, SavedSelectionReopensUnchangedInANewWindow) {
    TypeSelection();
    const QString path = dir_.filePath("school.vxsel");
    ASSERT_TRUE(w->SaveProjectFile(path));
    EXPECT_EQ(w->windowTitle(), "school.vxsel[*] - VX - " + LoadText(66));
    EXPECT_FALSE(w->isWindowModified());
    const QStringList shown = Shown();
    const std::string inputs = ProjectText(w->Selection);
    // A folder that does not exist: a message naming the file, the open project stays.
    const QString nowhere = dir_.filePath("missing/school.vxsel");
    EXPECT_FALSE(w->SaveProjectFile(nowhere));
    ASSERT_EQ(ShownMessages().size(), 1);
    EXPECT_TRUE(ShownMessages().front().Text.contains(QDir::toNativeSeparators(nowhere) + " cannot be saved"));
    EXPECT_EQ(w->Project.Path(), path);
    ClearMessages();

    // Quit, start again and open the file.
    w->close();
    w = std::make_unique<TFormVX>();
    ASSERT_TRUE(w->OpenProjectFile(path));
    EXPECT_TRUE(ShownMessages().isEmpty()) << ShownMessages().front().Text.toStdString();
    EXPECT_TRUE(w->ResultsValid());
    EXPECT_EQ(ProjectText(w->Selection), inputs);
    EXPECT_EQ(w->Selection.HeaderLines[1], "Schulgebäude Nord");
    EXPECT_EQ(w->Selection.NotesChart[1], "Summer dotted");
    EXPECT_EQ(Shown(), shown);
    EXPECT_FALSE(w->isWindowModified());
    EXPECT_EQ(w->Project.Path(), path);
}

TEST_F(ProjectWindowTest, UnsavedChangesAreAskedAboutBeforeClosingOrOpening) {
    TypeSelection();
    const QString path = dir_.filePath("a.vxsel");
    ASSERT_TRUE(w->SaveProjectFile(path));
    EXPECT_TRUE(w->close());  // nothing unsaved: no question
    EXPECT_TRUE(AskedQuestions().isEmpty());

    w = std::make_unique<TFormVX>();
    w->show();
    ASSERT_TRUE(w->OpenProjectFile(path));
    Type(w->Winter.Temp21, "19");
    EXPECT_TRUE(w->isWindowModified());

    UnsavedAnswer() = TUnsavedChoice::Cancel;
    EXPECT_FALSE(w->close());
    EXPECT_FALSE(w->OpenProjectFile(path));
    ASSERT_EQ(AskedQuestions().size(), 2);
    EXPECT_EQ(AskedQuestions().front(), "Save the changes to a.vxsel?");
    EXPECT_EQ(w->Winter.Temp21->text(), "19.0");

    // Save writes the change, then the window closes; the file holds the new value.
    UnsavedAnswer() = TUnsavedChoice::Save;
    EXPECT_TRUE(w->close());
    TSelection saved;
    ASSERT_FALSE(ReadProjectFile(QFile::encodeName(path).toStdString(), saved));
    EXPECT_EQ(saved.Cases[0].Temp21, 19.0);
}

TEST_F(ProjectWindowTest, BadFilesNameTheFileAndTheReasonAndChangeNothing) {
    TypeSelection();
    const QString good = dir_.filePath("good.vxsel");
    ASSERT_TRUE(w->SaveProjectFile(good));
    QFile in(good);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray text = in.readAll();
    QByteArray future = text;
    future.replace("\"version\": 1", "\"version\": 7");
    const struct {
        const char* Name;
        QByteArray Content;
        const char* Reason;
    } files[] = {
        {"corrupt.vxsel", "{\"format\": \"vx-selection\", ]", "is not a JSON text"},
        {"truncated.vxsel", text.left(text.size() / 2), "is incomplete"},
        {"drawing.vxsel", R"({"format": "drawing"})", "is not a VX project"},
        {"future.vxsel", future, "newer version of VX (format version 7)"},
    };
    Type(w->Winter.Temp11, "-14");  // unsaved, and kept: the question is answered Discard
    const QStringList shown = Shown();
    const std::string inputs = ProjectText(w->Selection);
    const QString title = w->windowTitle();
    for (const auto& f : files) {
        const QString path = dir_.filePath(f.Name);
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(f.Content);
        out.close();
        ClearMessages();
        EXPECT_FALSE(w->OpenProjectFile(path)) << f.Name;
        ASSERT_EQ(ShownMessages().size(), 1) << f.Name;
        const QString message = ShownMessages().front().Text;
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path))) << message.toStdString();
        EXPECT_TRUE(message.contains(f.Reason)) << message.toStdString();
        EXPECT_TRUE(message.contains("The open selection is unchanged.")) << message.toStdString();
        EXPECT_EQ(ProjectText(w->Selection), inputs) << f.Name;
        EXPECT_EQ(Shown(), shown) << f.Name;
        EXPECT_EQ(w->windowTitle(), title);
        EXPECT_TRUE(w->isWindowModified());
    }
}

}  // namespace
