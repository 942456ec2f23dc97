#pragma once

#include <QDialog>

namespace scorvale::ui {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace scorvale::ui
