#pragma once
// Common base of the program's dialogs. It adds nothing to QDialog; it exists so that every
// dialog of the program shares one base type. The main window derives from QMainWindow.
#include <QDialog>

class TQvForm : public QDialog {
    Q_OBJECT
public:
    explicit TQvForm(QWidget* parent = nullptr, Qt::WindowFlags f = Qt::WindowFlags())
        : QDialog(parent, f) {}
};
