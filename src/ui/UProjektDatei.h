#pragma once
// The project file behind the main window: the file the selection was opened from or last saved
// to, whether the selection changed since, the title bar text, the messages for a file that cannot
// be opened or saved, and the question about unsaved changes.
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "series/UProjekt.h"
#include "series/USelection.h"

class QWidget;

class TProjectFile {
public:
    // The file, empty while the selection has never been saved or opened.
    const QString& Path() const { return path_; }
    // The file name alone, or text 743 "Untitled".
    QString DisplayName() const;
    // True when the inputs of `current` differ from those last opened or saved.
    bool Modified(const TSelection& current) const;
    // Takes `current` as the state of the file at `path` (after opening or saving it, and at start
    // with an empty path).
    void MarkSaved(const TSelection& current, const QString& path);

    // Reads the project at `path` into `target`. On failure shows the message naming the file and
    // the reason, leaves `target` untouched and returns false.
    bool Open(const QString& path, TSelection& target);
    // Replaces the file at `path` atomically with the project of `selection` and takes it as the
    // saved state. On failure shows the message naming the file and the reason, keeps the old
    // file and returns false.
    bool Save(const QString& path, const TSelection& selection);

private:
    QString path_;
    std::string savedText_;
};

// The message for a project that cannot be opened: the file, the reason, and that the open
// selection is unchanged, in the language in force.
QString ProjectOpenErrorText(const QString& path, const TProjectError& error);

// Name filter of the file dialogs: "VX projects (*.vxsel)" and "All files (*)".
QString ProjectFileFilter();

// What to do with unsaved changes before the selection is replaced or the window closes.
enum class TUnsavedChoice { Save, Discard, Cancel };
// Asks "Save the changes to <name>?" with Save, Discard and Cancel.
TUnsavedChoice AskToSaveChanges(QWidget* parent, const QString& name);
// Replaces the question, for tests and scripted runs; pass an empty function to restore.
using TUnsavedChoiceHook = std::function<TUnsavedChoice(const QString& text)>;
void SetUnsavedChoiceHook(TUnsavedChoiceHook hook);
