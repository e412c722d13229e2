#include "design/tchangetextform.h"

#include "platform/f1filter.h"
#include "shell/dialogbuttons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace design {

namespace {

constexpr int kCaptionLength = 16;

QLineEdit* CaptionField(const char* name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setMaxLength(kCaptionLength);
    return field;
}

} // namespace

TChangeTextForm::TChangeTextForm(const storage::ViewerCaptions& captions, QWidget* parent)
    : QDialog(parent), m_captions(captions)
{
    setObjectName(QStringLiteral("TChangeTextForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, 475);

    auto* group = new QGroupBox(QStringLiteral(" Menu Buttons "), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    Edit2 = CaptionField("Edit2", group);
    Edit3 = CaptionField("Edit3", group);
    Edit4 = CaptionField("Edit4", group);
    auto* fields = new QFormLayout(group);
    fields->addRow(QStringLiteral("Close"), Edit2);
    fields->addRow(QStringLiteral("About"), Edit3);
    fields->addRow(QStringLiteral("Help"), Edit4);
    // The label shows one ampersand: it tells the author how to mark the hot key.
    auto* hint = new QLabel(QStringLiteral("Use & to indicate the Hot Key"), group);
    hint->setObjectName(QStringLiteral("Label7"));
    hint->setTextFormat(Qt::PlainText);
    fields->addRow(hint);

    QDialogButtonBox* buttons = shell::OkCancelButtons(this, "BitBtn2", "BitBtn3");
    QPushButton* defaults = buttons->addButton(QStringLiteral("&Defaults"), QDialogButtonBox::ResetRole);
    defaults->setObjectName(QStringLiteral("BitBtn1"));
    connect(defaults, &QPushButton::clicked, this, [this] {
        m_captions = storage::ViewerCaptions();
        fillFields();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    group->setMinimumWidth(280);
    fillFields();
}

void TChangeTextForm::fillFields()
{
    Edit2->setText(m_captions.CloseCaption);
    Edit3->setText(m_captions.AboutCaption);
    Edit4->setText(m_captions.HelpCaption);
}

storage::ViewerCaptions TChangeTextForm::captions() const
{
    storage::ViewerCaptions captions = m_captions;
    captions.CloseCaption = Edit2->text().left(kCaptionLength);
    captions.AboutCaption = Edit3->text().left(kCaptionLength);
    captions.HelpCaption = Edit4->text().left(kCaptionLength);
    return captions;
}

bool EditMenuButtonCaptions(storage::PresentationBlock& block, QWidget* parent)
{
    TChangeTextForm form(block.Captions, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    block.Captions = form.captions();
    return true;
}

} // namespace design
