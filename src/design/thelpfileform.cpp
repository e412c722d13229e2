#include "design/thelpfileform.h"

#include "authoring/filegroup.h"
#include "platform/dialogs.h"
#include "platform/f1filter.h"
#include "shell/dialogbuttons.h"
#include "shell/error.h"
#include "shell/filenames.h"
#include "shell/textcodec.h"
#include "shell/typinglimit.h"
#include "shell/utilities.h"

#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace design {

namespace {

constexpr qsizetype kFileNameBytes = 150;

} // namespace

TopicNumberField::TopicNumberField(QWidget* parent) : QLineEdit(parent)
{
    shell::LimitTyping(this, 8);
}

bool TopicNumberField::normalise()
{
    if (shell::ParseWholeNumber(text()))
        return true;
    shell::ShowError(QStringLiteral("That is not a valid number"));
    setText(QStringLiteral("1"));
    setFocus();
    return false;
}

void TopicNumberField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A message box taking the focus must not ask again.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        normalise();
}

THelpfileForm::THelpfileForm(const storage::ProgramSettings& program, const QString& directory, QWidget* parent)
    : QDialog(parent), m_program(program), m_directory(directory)
{
    setObjectName(QStringLiteral("THelpfileForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, 405);

    Edit1 = new QLineEdit(QStringLiteral("*.HLP"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    shell::LimitTyping(Edit1, 12);
    FileListBox1 = new QListWidget(this);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setMinimumSize(200, 150);
    auto* find = new QPushButton(QStringLiteral("Find File"), this);
    find->setObjectName(QStringLiteral("Button1"));
    Edit2 = new TopicNumberField(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    auto* label1 = new QLabel(QStringLiteral("HelpFile :"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setBuddy(Edit1);
    auto* label2 = new QLabel(QStringLiteral("Starting Topic :"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setBuddy(Edit2);

    QDialogButtonBox* buttons = shell::OkCancelButtons(this, "BitBtn1", "BitBtn2");
    connect(FileListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Edit1->setText(item->text()); });
    connect(find, &QPushButton::clicked, this, &THelpfileForm::findFile);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    grid->addWidget(label1, 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(FileListBox1, 1, 1);
    grid->addWidget(find, 2, 1, Qt::AlignLeft);
    grid->addWidget(label2, 3, 0);
    grid->addWidget(Edit2, 3, 1);
    grid->addWidget(buttons, 4, 0, 1, 2);

    refreshList();
    Edit1->setText(m_program.HelpFile);
    Edit2->setText(m_program.HelpStartTopic <= 0 ? QStringLiteral("1") : QString::number(m_program.HelpStartTopic));
}

void THelpfileForm::refreshList()
{
    FileListBox1->clear();
    FileListBox1->addItems(shell::ListMatchingFiles(m_directory, QStringLiteral("*.HLP")));
}

void THelpfileForm::findFile()
{
    platform::FileRequest request;
    request.title = QStringLiteral("Copy Help File");
    request.filter = QStringLiteral("Help File|*.HLP");
    request.directory = m_directory;
    request.helpContext = 510;
    const QString chosen = platform::dialogs().openFileName(request);
    if (chosen.isEmpty())
        return;
    authoring::OfferCopyIntoStudyList(chosen, m_directory);
    refreshList();
    Edit1->setText(shell::FileNameOf(chosen));
}

void THelpfileForm::accept()
{
    if (!Edit2->normalise())
        return;
    const std::optional<qint32> topic = shell::ParseWholeNumber(Edit2->text());
    if (topic && *topic < 1) {
        shell::ShowError(QStringLiteral("The Starting Topic must be greater than 0."));
        Edit2->setText(QStringLiteral("1"));
        Edit2->setFocus();
        return;
    }
    QDialog::accept();
}

storage::ProgramSettings THelpfileForm::program() const
{
    storage::ProgramSettings program = m_program;
    program.HelpFile = shell::CutToBytes(Edit1->text(), kFileNameBytes);
    program.HelpStartTopic = shell::ParseWholeNumber(Edit2->text()).value_or(1);
    return program;
}

bool SelectHelpFile(storage::ProgramSettings& program, const QString& directory, QWidget* parent)
{
    THelpfileForm form(program, directory, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    program = form.program();
    return true;
}

} // namespace design
