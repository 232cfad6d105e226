#pragma once
// Common base of the program's dialogs, and the OK/Cancel pair several of them share. TQvForm
// adds nothing to QDialog; it exists so that every dialog of the program shares one base type.
// The main window derives from QMainWindow.
#include <QDialog>
#include <functional>

class QPushButton;

class TQvForm : public QDialog {
    Q_OBJECT
public:
    explicit TQvForm(QWidget* parent = nullptr, Qt::WindowFlags f = Qt::WindowFlags())
        : QDialog(parent, f) {}
};

// Places OK and Cancel (75 x 25) at the bottom right of a dialog whose client area is
// width x height. Neither button takes the focus from a field when clicked, so an entry still
// pending is judged once, by `onOk`; Cancel rejects the dialog. The caller sets Cancel's caption.
void AddOkCancelButtons(QDialog* dialog, int width, int height, const std::function<void()>& onOk,
                        QPushButton*& ok, QPushButton*& cancel);
