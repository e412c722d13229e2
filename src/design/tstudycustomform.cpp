#include "design/tstudycustomform.h"

#include "design/designcontrols.h"
#include "design/tmenudesignform.h"
#include "platform/f1filter.h"
#include "shell/error.h"
#include "shell/operationframe.h"
#include "shell/utilities.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace design {

TStudyCustomForm::TStudyCustomForm(const storage::SettingsRecord& record, bool menuScreenCopy,
                                   MenuDesigners designers, QWidget* parent)
    : QDialog(parent), m_record(record), m_menuScreenCopy(menuScreenCopy), m_designers(std::move(designers))
{
    setObjectName(QStringLiteral("TStudyCustomForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, 205);

    AlphaChkBx = new QCheckBox(QStringLiteral("  Display Topics in Alphabetical  Order"), this);
    AlphaChkBx->setObjectName(QStringLiteral("AlphaChkBx"));
    BackChkBx = new QCheckBox(QStringLiteral("  Use Menu Screen "), this);
    BackChkBx->setObjectName(QStringLiteral("BackChkBx"));
    BackgroundBtn = new QPushButton(QStringLiteral("&Design Menu Screen"), this);
    BackgroundBtn->setObjectName(QStringLiteral("BackgroundBtn"));

    AlphaChkBx->setChecked(m_record.AlphabeticalTopics);
    BackChkBx->setChecked(m_record.UseMenuScreen);
    BackgroundBtn->setEnabled(m_record.UseMenuScreen);

    connect(AlphaChkBx, &QCheckBox::toggled, this, [this](bool on) { m_record.AlphabeticalTopics = on; });
    connect(BackChkBx, &QCheckBox::toggled, this, [this](bool on) {
        m_record.UseMenuScreen = on;
        m_menuScreenCopy = on;
        BackgroundBtn->setEnabled(on);
    });
    connect(BackgroundBtn, &QPushButton::clicked, this, [this] {
        RunNested(this, [this] {
            DesignMenuScreen(m_record.MenuScreen, m_record.Presentation, m_record.Program, m_designers, this);
        });
    });

    QHBoxLayout* buttons = SaveCancelRow(this, "OKBitBtn", "CancelBitBtn");
    platform::SetHelpContext(findChild<QWidget*>(QStringLiteral("CancelBitBtn")), 210);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(14);
    layout->addWidget(AlphaChkBx);
    layout->addWidget(BackChkBx);
    layout->addWidget(BackgroundBtn, 0, Qt::AlignLeft);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

bool DesignListPresentation(storage::SettingsRecord& record, bool& menuScreenCopy, const MenuDesigners& designers,
                            QWidget* parent)
{
    TStudyCustomForm form(record, menuScreenCopy, designers, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    record = form.record();
    menuScreenCopy = form.menuScreenCopy();
    return true;
}

} // namespace design
