#include "design/tmenudesignform.h"

#include "design/designcontrols.h"
#include "design/tauthorform.h"
#include "design/ttoctitleform.h"
#include "platform/f1filter.h"
#include "shell/error.h"
#include "shell/operationframe.h"
#include "shell/utilities.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace design {

namespace {

constexpr int kCaptionLength = 16;

} // namespace

TMenuDesignForm::TMenuDesignForm(const storage::MenuScreenDesign& menu, const storage::PresentationBlock& block,
                                 const storage::ProgramSettings& program, MenuDesigners designers, QWidget* parent)
    : QDialog(parent), m_menu(menu), m_block(block), m_program(program), m_designers(std::move(designers))
{
    setObjectName(QStringLiteral("TMenuDesignForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, 300);
    createControls();
    createLayout();

    // Setting a box acts like a click: buttons and the caption field follow.
    TitleChkBx->setChecked(m_menu.TitleBar.Used);
    StatusChkBx->setChecked(m_menu.StatusBar.Used);
    AuthorChkBx->setChecked(m_menu.UseAuthorBox);
    topmenuchkbx->setChecked(m_menu.UseMenuBar);
    TitleBtn->setEnabled(m_menu.TitleBar.Used);
    StatusBtn->setEnabled(m_menu.StatusBar.Used);
    AuthorBtn->setEnabled(m_menu.UseAuthorBox);
    Edit1->setVisible(m_menu.UseMenuBar);
    Edit1->setText(m_block.Captions.QuitCaption);
}

void TMenuDesignForm::createControls()
{
    topmenuchkbx = NamedCheckBox("topmenuchkbx", " Use Menu Bar", this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(kCaptionLength);
    Edit1->hide();
    TitleChkBx = NamedCheckBox("TitleChkBx", " Use Title Bar", this);
    TitleBtn = NamedButton("TitleBtn", "Create &Title Bar", this);
    StatusChkBx = NamedCheckBox("StatusChkBx", " Use Status Bar", this);
    StatusBtn = NamedButton("StatusBtn", "Create Status &Bar", this);
    AuthorChkBx = NamedCheckBox("AuthorChkBx", " Use Author Box", this);
    AuthorBtn = NamedButton("AuthorBtn", "Create &Author Box", this);
    for (QPushButton* button : {TitleBtn, StatusBtn, AuthorBtn})
        button->setEnabled(false);
    DesignBtn = NamedButton("DesignBtn", "&Design Menu Background Screen", this);
    ViewBitBtn = NamedButton("ViewBitBtn", "&View", this);

    connect(topmenuchkbx, &QCheckBox::toggled, this, [this](bool on) {
        m_menu.UseMenuBar = on;
        Edit1->setVisible(on);
    });
    connect(TitleChkBx, &QCheckBox::toggled, this, [this](bool on) {
        m_menu.TitleBar.Used = on;
        TitleBtn->setEnabled(on);
    });
    connect(StatusChkBx, &QCheckBox::toggled, this, [this](bool on) {
        m_menu.StatusBar.Used = on;
        StatusBtn->setEnabled(on);
    });
    connect(AuthorChkBx, &QCheckBox::toggled, this, [this](bool on) {
        m_menu.UseAuthorBox = on;
        AuthorBtn->setEnabled(on);
    });
    connect(TitleBtn, &QPushButton::clicked, this,
            [this] { nested([this] { EditBarText(m_menu.TitleBar, BarKind::Title, this); }); });
    connect(StatusBtn, &QPushButton::clicked, this,
            [this] { nested([this] { EditBarText(m_menu.StatusBar, BarKind::Status, this); }); });
    connect(AuthorBtn, &QPushButton::clicked, this,
            [this] { nested([this] { EditAuthorBox(m_menu, m_designers, this); }); });
    connect(DesignBtn, &QPushButton::clicked, this, [this] {
        if (m_designers.designBackground)
            nested([this] { m_designers.designBackground(m_menu, this); });
    });
    connect(ViewBitBtn, &QPushButton::clicked, this, [this] {
        if (!m_designers.viewMenu)
            return;
        // The test window shows what the caption field says now.
        storage::PresentationBlock block = m_block;
        block.Captions.QuitCaption = quitCaption();
        m_designers.viewMenu(m_menu, block, m_program, this);
    });
}

void TMenuDesignForm::createLayout()
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    grid->addWidget(TitleChkBx, 0, 0);
    grid->addWidget(TitleBtn, 0, 1);
    grid->addWidget(StatusChkBx, 1, 0);
    grid->addWidget(StatusBtn, 1, 1);
    grid->addWidget(AuthorChkBx, 2, 0);
    grid->addWidget(AuthorBtn, 2, 1);
    grid->addWidget(topmenuchkbx, 3, 0);
    grid->addWidget(Edit1, 3, 1);
    grid->addWidget(DesignBtn, 4, 0, 1, 2);
    // The caption field comes and goes with the menu bar; keep its room.
    QSizePolicy keep = Edit1->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    Edit1->setSizePolicy(keep);
    for (QPushButton* button : {TitleBtn, StatusBtn, AuthorBtn})
        button->setMinimumWidth(170);

    QHBoxLayout* buttons = SaveCancelRow(this, "OKBitBtn", "CancelBitBtn");
    ViewBitBtn->setMinimumWidth(90);
    buttons->insertWidget(0, ViewBitBtn);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(16);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void TMenuDesignForm::nested(const std::function<void()>& dialog)
{
    RunNested(this, dialog);
}

QString TMenuDesignForm::quitCaption() const
{
    return Edit1->text().left(kCaptionLength);
}

bool DesignMenuScreen(storage::MenuScreenDesign& menu, storage::PresentationBlock& block,
                      const storage::ProgramSettings& program, const MenuDesigners& designers, QWidget* parent)
{
    TMenuDesignForm form(menu, block, program, designers, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    menu = form.menu();
    block.Captions.QuitCaption = form.quitCaption();
    return true;
}

} // namespace design
