#include "design/tprogconfigform.h"

#include "design/designcontrols.h"
#include "authoring/filegroup.h"
#include "authoring/tcommandtypeform.h"
#include "design/tdesignaboutform.h"
#include "design/thelpfileform.h"
#include "platform/f1filter.h"
#include "shell/error.h"
#include "shell/filenames.h"
#include "shell/operationframe.h"
#include "shell/textcodec.h"
#include "shell/utilities.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace design {

namespace {

constexpr int kTitleLength = 80;
constexpr qsizetype kFileNameBytes = 150;

authoring::FileKind ProgramIconKind()
{
    authoring::FileKind kind;
    kind.groupCaption = QStringLiteral(" Select Icon File ");
    kind.fieldText = QStringLiteral("*.ICO");
    kind.listMask = QStringLiteral("*.ICO");
    kind.proposals = {QStringLiteral("*.ICO")};
    kind.findFilter = QStringLiteral("Icon Files|*.ico");
    kind.findTitle = QStringLiteral("Select an Icon File");
    kind.findCaption = QStringLiteral("&Find File");
    return kind;
}

} // namespace

TProgConfigForm::TProgConfigForm(const storage::PresentationBlock& block, const storage::ProgramSettings& program,
                                 const QString& store, const QString& directory, PresentationDesigners designers,
                                 QWidget* parent)
    : QDialog(parent),
      m_block(block),
      m_program(program),
      m_store(store),
      m_directory(directory),
      m_designers(std::move(designers))
{
    setObjectName(QStringLiteral("TProgConfigForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, 400);
    createControls();
    createLayout();
    load();
}

void TProgConfigForm::createControls()
{
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(kTitleLength);
    IconChkBx = NamedCheckBox("IconChkBx", "Use Icon", this);
    GroupBox2 = new authoring::FileGroup(ProgramIconKind(), m_directory, QStringLiteral("IconEdit"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->field()->setReadOnly(true);
    GroupBox2->list()->setObjectName(QStringLiteral("FileListBox1"));
    GroupBox2->findButton()->setObjectName(QStringLiteral("Button1"));
    VideoChkBx = NamedCheckBox("VideoChkBx", " Show Video Mode Advisory", this);
    CheckBox3 = NamedCheckBox("CheckBox3", " Use Help File", this);
    HelpBtn = NamedButton("HelpBtn", "Select", this);
    HelpBtn->setEnabled(false);
    Button2 = NamedButton("Button2", "Design Background Screen", this);
    IntroChkBx = NamedCheckBox("IntroChkBx", " Add an Introduction", this);
    IntroBtn = NamedButton("IntroBtn", "Create/Edit", this);
    OpenChkBx = NamedCheckBox("OpenChkBx", " Add Opening Screen", this);
    OpenBtn = NamedButton("OpenBtn", "Create/Edit", this);
    CloseChkBx = NamedCheckBox("CloseChkBx", " Add Closing Screen", this);
    CloseBtn = NamedButton("CloseBtn", "Create/Edit", this);
    AboutChkBx = NamedCheckBox("AboutChkBx", " Add an About Box", this);
    AboutBtn = NamedButton("AboutBtn", "Create/Edit", this);
    for (QPushButton* button : {IntroBtn, OpenBtn, CloseBtn, AboutBtn})
        button->setEnabled(false);

    connect(IconChkBx, &QCheckBox::toggled, this, &TProgConfigForm::iconClicked);
    connect(CheckBox3, &QCheckBox::toggled, this, &TProgConfigForm::helpFileClicked);
    connect(AboutChkBx, &QCheckBox::toggled, this, &TProgConfigForm::aboutClicked);
    connect(IntroChkBx, &QCheckBox::toggled, IntroBtn, &QPushButton::setEnabled);
    connect(OpenChkBx, &QCheckBox::toggled, OpenBtn, &QPushButton::setEnabled);
    connect(CloseChkBx, &QCheckBox::toggled, CloseBtn, &QPushButton::setEnabled);
    connect(HelpBtn, &QPushButton::clicked, this, &TProgConfigForm::selectHelpFile);
    connect(Button2, &QPushButton::clicked, this, &TProgConfigForm::designBackground);
    connect(IntroBtn, &QPushButton::clicked, this, &TProgConfigForm::editIntroduction);
    connect(OpenBtn, &QPushButton::clicked, this, &TProgConfigForm::editOpening);
    connect(CloseBtn, &QPushButton::clicked, this, &TProgConfigForm::editClosing);
    connect(AboutBtn, &QPushButton::clicked, this, &TProgConfigForm::editAboutBox);
}

void TProgConfigForm::createLayout()
{
    auto* group = new QGroupBox(QStringLiteral(" Customize the Program Presentation "), this);
    group->setObjectName(QStringLiteral("GroupBox1"));

    auto* title = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Title :"), group);
    label->setObjectName(QStringLiteral("Label1"));
    label->setBuddy(Edit1);
    title->addWidget(label);
    title->addWidget(Edit1, 1);

    auto* options = new QGridLayout;
    options->setHorizontalSpacing(12);
    options->setVerticalSpacing(10);
    int row = 0;
    options->addWidget(IconChkBx, row++, 0, 1, 2);
    options->addWidget(VideoChkBx, row++, 0, 1, 2);
    options->addWidget(CheckBox3, row, 0);
    options->addWidget(HelpBtn, row++, 1);
    options->addWidget(Button2, row++, 0, 1, 2, Qt::AlignLeft);
    for (auto [box, button] : {std::pair{IntroChkBx, IntroBtn}, std::pair{OpenChkBx, OpenBtn},
                               std::pair{CloseChkBx, CloseBtn}, std::pair{AboutChkBx, AboutBtn}}) {
        options->addWidget(box, row, 0);
        options->addWidget(button, row++, 1);
    }
    options->setRowStretch(row, 1);
    for (QPushButton* button : {HelpBtn, IntroBtn, OpenBtn, CloseBtn, AboutBtn})
        button->setMinimumWidth(100);

    // The icon group comes and goes with "Use Icon"; its room stays so the dialog does not jump.
    QSizePolicy keep = GroupBox2->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    GroupBox2->setSizePolicy(keep);
    GroupBox2->setMinimumWidth(220);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(20);
    columns->addLayout(options);
    columns->addWidget(GroupBox2);

    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->setSpacing(12);
    groupLayout->addLayout(title);
    groupLayout->addLayout(columns);

    QHBoxLayout* buttons = SaveCancelRow(this, "BitBtn1", "BitBtn2");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
}

void TProgConfigForm::load()
{
    // Checking a box acts like a click: the icon group shows and takes the icon file.
    IconChkBx->setChecked(m_program.UseIcon);
    iconClicked();
    CheckBox3->setChecked(m_program.UseHelpFile);
    helpFileClicked();
    VideoChkBx->setChecked(m_program.ShowVideoModeAdvisory);

    const QList<QListWidgetItem*> icons =
        GroupBox2->list()->findItems(m_program.IconFile, Qt::MatchFixedString);
    if (!m_program.IconFile.isEmpty() && shell::NameExists(m_directory, m_program.IconFile) && !icons.isEmpty())
        GroupBox2->list()->setCurrentItem(icons.front());
    else
        m_program.IconFile.clear();

    Edit1->setText(m_program.Title);
    AboutChkBx->setChecked(m_block.UseAboutBox);
    OpenChkBx->setChecked(m_block.UseOpeningCommand);
    CloseChkBx->setChecked(m_block.UseClosingCommand);
    IntroChkBx->setChecked(m_block.UseIntroduction);
    for (auto [box, button] : {std::pair{AboutChkBx, AboutBtn}, std::pair{OpenChkBx, OpenBtn},
                               std::pair{CloseChkBx, CloseBtn}, std::pair{IntroChkBx, IntroBtn}})
        button->setEnabled(box->isChecked());

    m_openingDefined = !m_block.OpeningCommand.CommandLine.isEmpty();
    m_closingDefined = !m_block.ClosingCommand.CommandLine.isEmpty();
    m_introEdited = false;
    m_introText.clear();
    m_introFound = storage::ReadIntroText(m_store, m_introText);
    if (!m_introFound)
        m_introText.clear();
}

void TProgConfigForm::iconClicked()
{
    m_program.UseIcon = IconChkBx->isChecked();
    GroupBox2->setVisible(m_program.UseIcon);
    GroupBox2->setFileName(m_program.IconFile);
}

void TProgConfigForm::helpFileClicked()
{
    m_program.UseHelpFile = CheckBox3->isChecked();
    HelpBtn->setEnabled(m_program.UseHelpFile);
}

void TProgConfigForm::aboutClicked()
{
    m_block.UseAboutBox = AboutChkBx->isChecked();
    AboutBtn->setEnabled(m_block.UseAboutBox);
}

void TProgConfigForm::nested(const std::function<void()>& dialog)
{
    RunNested(this, dialog);
}

void TProgConfigForm::editOpening()
{
    nested([this] {
        if (const auto command =
                authoring::DefineCommand(m_block.OpeningCommand, QStringLiteral(" Opening Command Type "), 420, true,
                                         m_directory, m_designers.media, this)) {
            m_block.OpeningCommand = *command;
            m_openingDefined = true;
        }
    });
}

void TProgConfigForm::editClosing()
{
    nested([this] {
        if (const auto command =
                authoring::DefineCommand(m_block.ClosingCommand, QStringLiteral(" Closing Command Type "), 430, false,
                                         m_directory, m_designers.media, this)) {
            m_block.ClosingCommand = *command;
            m_closingDefined = true;
        }
    });
}

void TProgConfigForm::editIntroduction()
{
    if (!m_designers.designIntroduction)
        return;
    nested([this] {
        storage::PresentationBlock block = m_block;
        storage::ProgramSettings program = m_program;
        QStringList text = m_introText;
        if (m_designers.designIntroduction(block, program, text, this)) {
            m_block = block;
            m_program = program;
            m_introText = text;
            m_introEdited = true;
        }
    });
}

void TProgConfigForm::editAboutBox()
{
    nested([this] { DesignAboutBox(m_block.AboutBox, m_directory, this); });
}

void TProgConfigForm::selectHelpFile()
{
    nested([this] { SelectHelpFile(m_program, m_directory, this); });
}

void TProgConfigForm::designBackground()
{
    if (!m_designers.designBackground)
        return;
    nested([this] { m_designers.designBackground(m_program, this); });
}

void TProgConfigForm::accept()
{
    if (OpenChkBx->isChecked() && !m_openingDefined) {
        shell::ShowError(QStringLiteral("The Opening Command has not been defined"));
        OpenBtn->setFocus();
        return;
    }
    if (CloseChkBx->isChecked() && !m_closingDefined) {
        shell::ShowError(QStringLiteral("The Closing Command has not been defined"));
        CloseBtn->setFocus();
        return;
    }
    try {
        save();
    } catch (const shell::Error& error) {
        shell::ShowError(error.message());
        return;
    }
    QDialog::accept();
}

void TProgConfigForm::save()
{
    storage::ProgramSettings& program = m_program;
    program.UseIcon = IconChkBx->isChecked();
    program.IconFile = shell::CutToBytes(GroupBox2->fileName(), kFileNameBytes);
    if (program.IconFile.isEmpty())
        program.UseIcon = false;
    if (!program.UseIcon)
        program.IconFile.clear();

    program.UseHelpFile = CheckBox3->isChecked();
    if (program.HelpFile.isEmpty()) {
        program.UseHelpFile = false;
        program.HelpStartTopic = 0;
    }
    if (program.HelpStartTopic < 1) {
        program.UseHelpFile = false;
        program.HelpFile.clear();
    }
    if (!program.UseHelpFile) {
        program.HelpFile.clear();
        program.HelpStartTopic = 0;
    }

    program.ShowVideoModeAdvisory = VideoChkBx->isChecked();
    program.Title = Edit1->text().left(kTitleLength);

    m_block.UseAboutBox = AboutChkBx->isChecked();
    m_block.UseOpeningCommand = OpenChkBx->isChecked();
    m_block.UseClosingCommand = CloseChkBx->isChecked();
    m_block.UseIntroduction = IntroChkBx->isChecked();

    if (m_block.UseIntroduction && m_introEdited) {
        if (m_introText.isEmpty()) {
            shell::ShowError(QStringLiteral("The Introduction has not been entered."));
            m_block.UseIntroduction = false;
        } else if (m_introFound) {
            storage::ReplaceIntroEntry(m_store, m_introText);
        } else {
            storage::AppendIntroEntry(m_store, m_introText);
            m_introFound = true;
        }
    }
    if (!m_block.UseIntroduction)
        storage::DeleteEntry(m_store, storage::kIntroName, storage::kIntroKind);
}

bool DesignProgramPresentation(storage::PresentationBlock& block, storage::ProgramSettings& program,
                               const QString& store, const QString& directory, const PresentationDesigners& designers,
                               QWidget* parent)
{
    TProgConfigForm form(block, program, store, directory, designers, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    block = form.block();
    program = form.program();
    return true;
}

} // namespace design
