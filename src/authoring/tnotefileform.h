#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace authoring {

// The box that names the notes file of a notes Topic.
class TNoteFileForm : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kMaxNameLength = 60;

    explicit TNoteFileForm(const QString& fileName, QWidget* parent = nullptr);
    QString fileName() const;

private:
    void createControls(const QString& fileName);

    QLineEdit* Edit1 = nullptr;
    QPushButton* ViewBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

// Shows the box on fileName; on "&OK" fileName takes the field's text and the result is true.
bool EditNotesFileName(QString& fileName, QWidget* parent = nullptr);

} // namespace authoring
