#pragma once

#include "storage/settingsrecord.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace authoring {
class FileGroup;
}

namespace design {

// The about box designer: caption, icon, program name, version, author, four comment lines and
// when the reader sees the box; "&View" shows the box as it stands.
class TDesignAboutForm : public QDialog
{
    Q_OBJECT
public:
    TDesignAboutForm(const storage::AboutBoxSettings& box, const QString& directory, QWidget* parent = nullptr);

    // The box with every field taken from the dialog (the rules of OK).
    storage::AboutBoxSettings box() const;

private:
    void createControls();
    void createLayout();
    void useIconClicked();
    void view();
    // The fields copied into the working copy as "&View" shows them.
    void takeFieldsForView();

    storage::AboutBoxSettings m_box;
    QString m_directory;
    QLineEdit* BoxTitleEdit = nullptr;
    QCheckBox* UseIconChkBox = nullptr;
    authoring::FileGroup* m_icon = nullptr;
    QLineEdit* ProgNameEdit = nullptr;
    QLineEdit* VersionEdit = nullptr;
    QLineEdit* AuthorLineEdit = nullptr;
    std::array<QLineEdit*, 4> m_comments{};
    std::array<QRadioButton*, 4> m_showWhen{};
};

// Shows the designer on a copy of the box; on OK the box takes the result and the result is true.
bool DesignAboutBox(storage::AboutBoxSettings& box, const QString& directory, QWidget* parent = nullptr);

} // namespace design
