#include "design/tintrodesignform.h"

#include "design/designcontrols.h"
#include "design/tchangetextform.h"
#include "design/ttoctitleform.h"
#include "platform/f1filter.h"
#include "shell/dialogbuttons.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace design {

TIntroDesignForm::TIntroDesignForm(const storage::PresentationBlock& block, const storage::ProgramSettings& program,
                                   const QStringList& text, IntroBackgroundDesigner designBackground,
                                   QWidget* parent)
    : QDialog(parent),
      m_block(block),
      m_screen(block.IntroScreen),
      m_program(program),
      m_text(text),
      m_designBackground(std::move(designBackground))
{
    setObjectName(QStringLiteral("TIntroDesignForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));

    auto* group = new QGroupBox(QStringLiteral(" Design Introduction Screen "), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    UseMenuChkBx = NamedCheckBox("UseMenuChkBx", " Use MenuBar", group);
    TitleBarChkBx = NamedCheckBox("TitleBarChkBx", " Use TitleBar", group);
    StatusBarChkBx = NamedCheckBox("StatusBarChkBx", " Use StatusBar", group);
    VPChkBx = NamedCheckBox("VPChkBx", " Use Text Window", group);
    QPushButton* menuBtn = NamedButton("MenuBtn", "Define Text", group);
    QPushButton* titleBtn = NamedButton("TitleBtn", "Create/Edit", group);
    QPushButton* statusBtn = NamedButton("StatusBtn", "Create/Edit", group);
    QPushButton* windowBtn = NamedButton("VPBtn", "Create/Edit", group);

    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    int row = 0;
    for (auto [box, button] : {std::pair{UseMenuChkBx, menuBtn}, std::pair{TitleBarChkBx, titleBtn},
                               std::pair{StatusBarChkBx, statusBtn}, std::pair{VPChkBx, windowBtn}}) {
        grid->addWidget(box, row, 0);
        grid->addWidget(button, row++, 1);
        button->setMinimumWidth(110);
        connect(box, &QCheckBox::toggled, button, &QPushButton::setEnabled);
    }
    connect(UseMenuChkBx, &QCheckBox::toggled, this, [this](bool on) { m_screen.UseMenuBar = on; });
    connect(TitleBarChkBx, &QCheckBox::toggled, this, [this](bool on) { m_screen.TitleBar.Used = on; });
    connect(StatusBarChkBx, &QCheckBox::toggled, this, [this](bool on) { m_screen.StatusBar.Used = on; });
    connect(VPChkBx, &QCheckBox::toggled, this, [this](bool on) { m_screen.Window.FullScreen = !on; });

    connect(menuBtn, &QPushButton::clicked, this, [this] { nested([this] { EditMenuButtonCaptions(m_block, this); }); });
    connect(titleBtn, &QPushButton::clicked, this,
            [this] { nested([this] { EditIntroBarText(m_screen.TitleBar, BarKind::Title, this); }); });
    connect(statusBtn, &QPushButton::clicked, this,
            [this] { nested([this] { EditIntroBarText(m_screen.StatusBar, BarKind::Status, this); }); });
    connect(windowBtn, &QPushButton::clicked, this, [this] {
        if (!m_designBackground)
            return;
        nested([this] {
            storage::PresentationBlock current = m_block;
            current.IntroScreen = m_screen;
            storage::ScreenDesign screen = m_screen;
            if (m_designBackground(screen, current, m_program, m_text, this))
                m_screen = screen;
        });
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(shell::OkCancelButtons(this, "OKBtn", "CancelBtn"));

    // The boxes start off; setting each one writes its field and enables its button.
    for (QPushButton* button : {menuBtn, titleBtn, statusBtn, windowBtn})
        button->setEnabled(false);
    UseMenuChkBx->setChecked(m_screen.UseMenuBar);
    TitleBarChkBx->setChecked(m_screen.TitleBar.Used);
    StatusBarChkBx->setChecked(m_screen.StatusBar.Used);
    VPChkBx->setChecked(!m_screen.Window.FullScreen);
}

void TIntroDesignForm::nested(const std::function<void()>& dialog)
{
    RunNested(this, dialog);
}

storage::PresentationBlock TIntroDesignForm::block() const
{
    storage::PresentationBlock block = m_block;
    block.IntroScreen = m_screen;
    block.IntroScreen.UseMenuBar = UseMenuChkBx->isChecked();
    block.IntroScreen.TitleBar.Used = TitleBarChkBx->isChecked();
    block.IntroScreen.StatusBar.Used = StatusBarChkBx->isChecked();
    block.IntroScreen.Window.FullScreen = !VPChkBx->isChecked();
    return block;
}

bool DesignIntroductionScreen(storage::PresentationBlock& block, const storage::ProgramSettings& program,
                              const QStringList& text, const IntroBackgroundDesigner& designBackground,
                              QWidget* parent)
{
    TIntroDesignForm form(block, program, text, designBackground, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    block = form.block();
    return true;
}

} // namespace design
