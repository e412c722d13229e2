#pragma once

#include "authoring/mediaactions.h"
#include "storage/settingsrecord.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace authoring {
class FileGroup;
}

namespace design {

// The dialogs the Program Presentation dialog opens that live elsewhere: the program background
// designer, the introduction designer, and what the command pickers' "&View" buttons do.
struct PresentationDesigners
{
    authoring::MediaActions media;
    std::function<bool(storage::ProgramSettings& program, QWidget* parent)> designBackground;
    // Changes the slice, the program settings and the introduction text in place; true when confirmed.
    std::function<bool(storage::PresentationBlock& block, storage::ProgramSettings& program, QStringList& introText,
                       QWidget* parent)>
        designIntroduction;
};

// How a Study List presents itself as a program: title, icon, help file, display advisory,
// background, introduction, opening and closing commands and about box. Every nested dialog works
// on the copies held here; they go back only on "&Save". While a nested dialog is open this one
// is out of sight.
class TProgConfigForm : public QDialog
{
    Q_OBJECT
public:
    TProgConfigForm(const storage::PresentationBlock& block, const storage::ProgramSettings& program,
                    const QString& store, const QString& directory, PresentationDesigners designers,
                    QWidget* parent = nullptr);

    // The close check, then Save: the introduction is written to (or deleted from) the store here,
    // so a failed write keeps the dialog open with nothing lost.
    void accept() override;

    const storage::PresentationBlock& block() const { return m_block; }
    const storage::ProgramSettings& program() const { return m_program; }

private:
    void createControls();
    void createLayout();
    void load();
    void iconClicked();
    void helpFileClicked();
    void aboutClicked();
    // Runs a nested dialog with this one out of sight.
    void nested(const std::function<void()>& dialog);
    void editOpening();
    void editClosing();
    void editIntroduction();
    void editAboutBox();
    void selectHelpFile();
    void designBackground();
    void save();

    storage::PresentationBlock m_block;
    storage::ProgramSettings m_program;
    QString m_store;
    QString m_directory;
    PresentationDesigners m_designers;
    QStringList m_introText;
    bool m_introFound = false;
    bool m_openingDefined = false;
    bool m_closingDefined = false;
    bool m_introEdited = false;

    QLineEdit* Edit1 = nullptr;
    QCheckBox* IconChkBx = nullptr;
    authoring::FileGroup* GroupBox2 = nullptr;
    QCheckBox* VideoChkBx = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QPushButton* HelpBtn = nullptr;
    QPushButton* Button2 = nullptr;
    QCheckBox* IntroChkBx = nullptr;
    QPushButton* IntroBtn = nullptr;
    QCheckBox* OpenChkBx = nullptr;
    QPushButton* OpenBtn = nullptr;
    QCheckBox* CloseChkBx = nullptr;
    QPushButton* CloseBtn = nullptr;
    QCheckBox* AboutChkBx = nullptr;
    QPushButton* AboutBtn = nullptr;
};

// "P&rogram Presentation": true on Save, when the slice and the program settings have taken the
// result (the caller then saves the settings record).
bool DesignProgramPresentation(storage::PresentationBlock& block, storage::ProgramSettings& program,
                               const QString& store, const QString& directory, const PresentationDesigners& designers,
                               QWidget* parent = nullptr);

} // namespace design
