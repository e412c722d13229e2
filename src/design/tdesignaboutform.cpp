#include "design/tdesignaboutform.h"

#include "authoring/filegroup.h"
#include "platform/f1filter.h"
#include "runtime/taboutbox.h"
#include "shell/textcodec.h"
#include "shell/utilities.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace design {

namespace {

constexpr int kCaptionLength = 40;
constexpr int kProgramLength = 32;
constexpr int kLineLength = 42;
constexpr int kCommentLength = 65;
constexpr qsizetype kFileNameBytes = 150;

authoring::FileKind AboutIconKind()
{
    authoring::FileKind kind;
    kind.fieldText = QStringLiteral("*.ico");
    kind.listMask = QStringLiteral("*.ico");
    kind.proposals = {QStringLiteral("*.ico")};
    kind.findFilter = QStringLiteral("Icon Files|*.ICO");
    kind.findTitle = QStringLiteral("Select Icon File");
    kind.findCaption = QStringLiteral("Find File");
    kind.findHelpContext = 510;
    return kind;
}

QLineEdit* LimitedField(const char* name, int length, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setMaxLength(length);
    return field;
}

} // namespace

TDesignAboutForm::TDesignAboutForm(const storage::AboutBoxSettings& box, const QString& directory, QWidget* parent)
    : QDialog(parent), m_box(box), m_directory(directory)
{
    setObjectName(QStringLiteral("TDesignAboutForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, 440);
    createControls();
    createLayout();

    if (m_box.ShowWhen >= 0 && m_box.ShowWhen <= 3)
        m_showWhen[size_t(m_box.ShowWhen)]->setChecked(true);
    else
        m_showWhen[0]->setChecked(true);
    BoxTitleEdit->setText(m_box.Caption);
    m_icon->setFileName(m_box.IconFile);
    ProgNameEdit->setText(m_box.ProgramName);
    VersionEdit->setText(m_box.VersionText);
    AuthorLineEdit->setText(m_box.Author);
    for (size_t i = 0; i < m_comments.size(); ++i)
        m_comments[i]->setText(m_box.Comments[i]);
    UseIconChkBox->setChecked(m_box.UseIcon);
    useIconClicked();
}

void TDesignAboutForm::createControls()
{
    BoxTitleEdit = LimitedField("BoxTitleEdit", kCaptionLength, this);
    UseIconChkBox = new QCheckBox(QStringLiteral("  Use Icon"), this);
    UseIconChkBox->setObjectName(QStringLiteral("UseIconChkBox"));
    m_icon = new authoring::FileGroup(AboutIconKind(), m_directory, QStringLiteral("IconEdit"), this);
    m_icon->setObjectName(QStringLiteral("IconGroup"));
    m_icon->setFlat(true);
    m_icon->field()->setReadOnly(true);
    m_icon->list()->setObjectName(QStringLiteral("IconFileListBox"));
    m_icon->list()->setMinimumHeight(90);
    m_icon->findButton()->setObjectName(QStringLiteral("FindBtn"));
    ProgNameEdit = LimitedField("ProgNameEdit", kProgramLength, this);
    VersionEdit = LimitedField("VersionEdit", kLineLength, this);
    AuthorLineEdit = LimitedField("AuthorLineEdit", kLineLength, this);
    for (size_t i = 0; i < m_comments.size(); ++i)
        m_comments[i] = LimitedField(QStringLiteral("Comm%1").arg(i + 1).toLatin1().constData(), kCommentLength, this);
    const std::array<std::pair<const char*, const char*>, 4> when{
        {{"StartRButt", "  Starts"}, {"EndRButt", "  Ends"}, {"BothRButt", " Both"}, {"NeitherRButt", " Neither"}}};
    for (size_t i = 0; i < when.size(); ++i) {
        m_showWhen[i] = new QRadioButton(QString::fromLatin1(when[i].second), this);
        m_showWhen[i]->setObjectName(QLatin1String(when[i].first));
    }
    connect(UseIconChkBox, &QCheckBox::clicked, this, &TDesignAboutForm::useIconClicked);
}

void TDesignAboutForm::createLayout()
{
    auto* design = new QGroupBox(QStringLiteral(" Design the About Box "), this);
    design->setObjectName(QStringLiteral("GroupBox3"));
    auto* fields = new QFormLayout;
    fields->addRow(new QLabel(QStringLiteral("Caption :"), this), BoxTitleEdit);
    fields->addRow(new QLabel(QStringLiteral("Program"), this), ProgNameEdit);
    fields->addRow(new QLabel(QStringLiteral("Version :"), this), VersionEdit);
    fields->addRow(new QLabel(QStringLiteral("Author :"), this), AuthorLineEdit);

    auto* comments = new QGroupBox(QStringLiteral("Comments"), this);
    comments->setObjectName(QStringLiteral("GroupBox4"));
    auto* commentLayout = new QVBoxLayout(comments);
    for (QLineEdit* line : m_comments) {
        line->setMinimumWidth(380);
        commentLayout->addWidget(line);
    }

    auto* icon = new QVBoxLayout;
    icon->addWidget(UseIconChkBox);
    icon->addWidget(m_icon, 1);
    icon->addStretch();

    auto* when = new QGroupBox(QStringLiteral(" Display About Box when program "), this);
    when->setObjectName(QStringLiteral("GroupBox1"));
    auto* whenLayout = new QHBoxLayout(when);
    for (QRadioButton* button : m_showWhen)
        whenLayout->addWidget(button);

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addLayout(fields, 3);
    top->addLayout(icon, 2);
    auto* designLayout = new QVBoxLayout(design);
    designLayout->addLayout(top);
    designLayout->addWidget(comments);
    designLayout->addWidget(when);

    auto* view = new QPushButton(QStringLiteral("&View"), this);
    view->setObjectName(QStringLiteral("ViewBtn"));
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(view, &QPushButton::clicked, this, &TDesignAboutForm::view);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {view, ok, cancel}) {
        button->setMinimumWidth(90);
        buttons->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(design);
    layout->addLayout(buttons);
}

void TDesignAboutForm::useIconClicked()
{
    const bool on = UseIconChkBox->isChecked();
    if (on && !shell::IsValidFileName(m_icon->fileName()))
        m_icon->setFileName(QString());
    m_icon->setVisible(on);
}

void TDesignAboutForm::takeFieldsForView()
{
    m_box.Caption = BoxTitleEdit->text().left(kCaptionLength);
    m_box.UseIcon = UseIconChkBox->isChecked();
    m_box.IconFile = shell::CutToBytes(m_icon->fileName(), kFileNameBytes);
    m_box.ProgramName = ProgNameEdit->text().left(kProgramLength);
    m_box.VersionText = VersionEdit->text().left(kLineLength);
    m_box.Author = AuthorLineEdit->text().left(kLineLength);
    for (size_t i = 0; i < m_comments.size(); ++i)
        m_box.Comments[i] = m_comments[i]->text().left(kCommentLength);
    // "Neither" keeps what the copy had: the viewed box is shown whatever its setting.
    for (qint16 when = 0; when < 3; ++when)
        if (m_showWhen[size_t(when)]->isChecked())
            m_box.ShowWhen = when;
}

void TDesignAboutForm::view()
{
    takeFieldsForView();
    runtime::ShowAboutBox(m_box, runtime::AboutMode::Designed, m_directory, this);
    if (auto* button = findChild<QPushButton*>(QStringLiteral("ViewBtn")))
        button->setFocus();
}

storage::AboutBoxSettings TDesignAboutForm::box() const
{
    storage::AboutBoxSettings box = m_box;
    box.Caption = BoxTitleEdit->text().left(kCaptionLength);
    bool useIcon = UseIconChkBox->isChecked();
    QString icon = m_icon->fileName();
    if (useIcon && icon.isEmpty())
        useIcon = false;
    if (!useIcon)
        icon.clear();
    box.IconFile = shell::CutToBytes(icon, kFileNameBytes);
    box.UseIcon = useIcon;
    box.ProgramName = ProgNameEdit->text().left(kProgramLength);
    box.VersionText = VersionEdit->text().left(kLineLength);
    box.Author = AuthorLineEdit->text().left(kLineLength);
    for (size_t i = 0; i < m_comments.size(); ++i)
        box.Comments[i] = m_comments[i]->text().left(kCommentLength);
    for (qint16 when = 0; when < 4; ++when)
        if (m_showWhen[size_t(when)]->isChecked())
            box.ShowWhen = when;
    return box;
}

bool DesignAboutBox(storage::AboutBoxSettings& box, const QString& directory, QWidget* parent)
{
    TDesignAboutForm form(box, directory, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    box = form.box();
    return true;
}

} // namespace design
