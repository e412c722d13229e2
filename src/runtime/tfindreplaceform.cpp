#include "runtime/tfindreplaceform.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace runtime {

TFindReplaceForm::TFindReplaceForm(Mode mode, QWidget* parent) : QDialog(parent), m_mode(mode)
{
    // Drawn in the font of the window it searches, which may be scaled for the reader.
    setAttribute(Qt::WA_WindowPropagation);
    setObjectName(mode == Mode::Find ? QStringLiteral("FindDialog") : QStringLiteral("ReplaceDialog"));
    setWindowTitle(mode == Mode::Find ? QStringLiteral("Find") : QStringLiteral("Replace"));
    createControls();
    createLayout();
    updateButtons();
}

QString TFindReplaceForm::findText() const
{
    return FindEdit->text();
}

void TFindReplaceForm::setFindText(const QString& text)
{
    FindEdit->setText(text);
    FindEdit->selectAll();
}

QString TFindReplaceForm::replaceText() const
{
    return ReplaceEdit ? ReplaceEdit->text() : QString();
}

void TFindReplaceForm::showInFront()
{
    show();
    raise();
    activateWindow();
}

void TFindReplaceForm::createControls()
{
    FindLbl = new QLabel(QStringLiteral("Fi&nd what:"), this);
    FindEdit = new QLineEdit(this);
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    FindLbl->setBuddy(FindEdit);
    FindNextBtn = new QPushButton(QStringLiteral("&Find Next"), this);
    FindNextBtn->setObjectName(QStringLiteral("FindNextBtn"));
    FindNextBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    connect(FindEdit, &QLineEdit::textChanged, this, &TFindReplaceForm::updateButtons);
    connect(FindNextBtn, &QPushButton::clicked, this, [this] { Q_EMIT findNext(FindEdit->text()); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    if (m_mode == Mode::Replace) {
        ReplaceLbl = new QLabel(QStringLiteral("Re&place with:"), this);
        ReplaceEdit = new QLineEdit(this);
        ReplaceEdit->setObjectName(QStringLiteral("ReplaceEdit"));
        ReplaceLbl->setBuddy(ReplaceEdit);
        ReplaceBtn = new QPushButton(QStringLiteral("&Replace"), this);
        ReplaceBtn->setObjectName(QStringLiteral("ReplaceBtn"));
        ReplaceAllBtn = new QPushButton(QStringLiteral("Replace &All"), this);
        ReplaceAllBtn->setObjectName(QStringLiteral("ReplaceAllBtn"));
        connect(ReplaceBtn, &QPushButton::clicked, this,
                [this] { Q_EMIT replace(FindEdit->text(), ReplaceEdit->text(), false); });
        connect(ReplaceAllBtn, &QPushButton::clicked, this,
                [this] { Q_EMIT replace(FindEdit->text(), ReplaceEdit->text(), true); });
    }
}

void TFindReplaceForm::createLayout()
{
    auto* fields = new QGridLayout;
    fields->addWidget(FindLbl, 0, 0);
    fields->addWidget(FindEdit, 0, 1);
    if (ReplaceEdit) {
        fields->addWidget(ReplaceLbl, 1, 0);
        fields->addWidget(ReplaceEdit, 1, 1);
    }
    fields->setColumnMinimumWidth(1, 220);
    fields->setRowStretch(2, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(FindNextBtn);
    if (ReplaceBtn) {
        buttons->addWidget(ReplaceBtn);
        buttons->addWidget(ReplaceAllBtn);
    }
    buttons->addWidget(CancelBtn);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
}

void TFindReplaceForm::updateButtons()
{
    const bool any = !FindEdit->text().isEmpty();
    FindNextBtn->setEnabled(any);
    if (ReplaceBtn) {
        ReplaceBtn->setEnabled(any);
        ReplaceAllBtn->setEnabled(any);
    }
}

} // namespace runtime
