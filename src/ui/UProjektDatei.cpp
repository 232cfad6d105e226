#include "ui/UProjektDatei.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "app/URessourcen.h"
#include "app/USafeFile.h"
#include "series/UVXGrenzen.h"
#include "ui/UQvMessage.h"

namespace {

// Texts of the project commands.
constexpr int TextProjects = 730, TextAllFiles = 731, TextCannotOpen = 732, TextUnreadable = 733,
              TextNotJson = 734, TextTruncated = 735, TextForeign = 736, TextNewer = 737, TextBadValue = 738,
              TextUnchanged = 739, TextCannotSave = 740, TextSaveChanges = 741, TextDiscard = 742,
              TextUntitled = 743;
constexpr int TextSave = 149, TextCancel = 161;

QString Filled(int textNo, std::vector<std::string> args) {
    return QString::fromStdString(FillMessage(LoadText(textNo).toStdString(), args));
}

std::string Shown(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

TUnsavedChoiceHook& Hook() {
    static TUnsavedChoiceHook hook;
    return hook;
}

}  // namespace

QString TProjectFile::DisplayName() const {
    return path_.isEmpty() ? LoadText(TextUntitled) : QFileInfo(path_).fileName();
}

bool TProjectFile::Modified(const TSelection& current) const {
    return ProjectText(current) != savedText_;
}

void TProjectFile::MarkSaved(const TSelection& current, const QString& path) {
    path_ = path;
    savedText_ = ProjectText(current);
}

bool TProjectFile::Open(const QString& path, TSelection& target) {
    if (auto error = ReadProjectFile(QFile::encodeName(path).toStdString(), target)) {
        ShowMessageBox(ProjectOpenErrorText(path, *error), LoadText(148), mtError);
        return false;
    }
    MarkSaved(target, path);
    return true;
}

bool TProjectFile::Save(const QString& path, const TSelection& selection) {
    const std::string text = ProjectText(selection);
    // Written to a temporary file in the target folder and renamed over the target only when
    // complete, so the old file survives any failure; only a regular file is replaced.
    if (const auto error = WriteFileAtomically(path, QByteArray::fromStdString(text))) {
        ShowMessageBox(Filled(TextCannotSave, {Shown(path)}) + "\n" + *error, LoadText(149), mtError);
        return false;
    }
    path_ = path;
    savedText_ = text;
    return true;
}

QString ProjectOpenErrorText(const QString& path, const TProjectError& error) {
    QString reason;
    switch (error.Fault) {
        case TProjectFault::Unreadable:
            reason = Filled(TextUnreadable, {error.Detail});
            break;
        case TProjectFault::NotJson:
            reason = Filled(TextNotJson, {error.Detail});
            break;
        case TProjectFault::Truncated:
            reason = LoadText(TextTruncated);
            break;
        case TProjectFault::Foreign:
            reason = LoadText(TextForeign);
            break;
        case TProjectFault::NewerVersion:
            reason = Filled(TextNewer, {error.Detail, std::to_string(ProjectFormatVersion)});
            break;
        case TProjectFault::BadValue:
            reason = Filled(TextBadValue, {error.Detail});
            break;
    }
    return Filled(TextCannotOpen, {Shown(path)}) + "\n" + reason + "\n" + LoadText(TextUnchanged);
}

QString ProjectFileFilter() {
    return LoadText(TextProjects) + " (*." + ProjectExtension + ");;" + LoadText(TextAllFiles) + " (*)";
}

TUnsavedChoice AskToSaveChanges(QWidget* parent, const QString& name) {
    const QString text = Filled(TextSaveChanges, {name.toStdString()});
    if (Hook()) return Hook()(text);
    QMessageBox box(QMessageBox::Question, QStringLiteral("VX"), text, QMessageBox::NoButton, parent);
    QPushButton* save = box.addButton(LoadText(TextSave), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(LoadText(TextDiscard), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(LoadText(TextCancel), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return TUnsavedChoice::Save;
    if (box.clickedButton() == discard) return TUnsavedChoice::Discard;
    return TUnsavedChoice::Cancel;
}

void SetUnsavedChoiceHook(TUnsavedChoiceHook hook) {
    Hook() = std::move(hook);
}
