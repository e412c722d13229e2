#pragma once

#include "design/menudesigners.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace design {

// How the Topics are offered: in alphabetical order or not, on the designed menu screen or in the
// plain pop-up list. Holds a copy of the whole settings record; nested dialogs work inside it.
class TStudyCustomForm : public QDialog
{
    Q_OBJECT
public:
    TStudyCustomForm(const storage::SettingsRecord& record, bool menuScreenCopy, MenuDesigners designers,
                     QWidget* parent = nullptr);

    const storage::SettingsRecord& record() const { return m_record; }
    bool menuScreenCopy() const { return m_menuScreenCopy; }

private:
    storage::SettingsRecord m_record;
    bool m_menuScreenCopy;
    MenuDesigners m_designers;
    QCheckBox* AlphaChkBx = nullptr;
    QCheckBox* BackChkBx = nullptr;
    QPushButton* BackgroundBtn = nullptr;
};

// True on Save, when the record and the application-wide menu-screen flag have taken the result
// (the caller then saves the settings record).
bool DesignListPresentation(storage::SettingsRecord& record, bool& menuScreenCopy, const MenuDesigners& designers,
                            QWidget* parent = nullptr);

} // namespace design
