#include "shell/tgetinputtextform.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace shell {

TGetInputTextForm::TGetInputTextForm(const QString& text, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TGetInputTextForm"));
    setWindowTitle(QStringLiteral("Find"));
    createControls();
    createLayout();
    Edit1->setText(text);
    Edit1->selectAll();
    setFixedSize(sizeHint());
}

void TGetInputTextForm::createControls()
{
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    BitBtn3 = new QPushButton(QStringLiteral("Find First"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn2 = new QPushButton(QStringLiteral("Find Next"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn1 = new QPushButton(QStringLiteral("Cancel"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    // Neither find button may answer the Enter key on its own: the user picks the mode.
    for (QPushButton* button : {BitBtn3, BitBtn2, BitBtn1}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(BitBtn3, &QPushButton::clicked, this, [this] { closeWithMode(FindFirst); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { closeWithMode(FindNextMode); });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void TGetInputTextForm::createLayout()
{
    auto* label = new QLabel(QStringLiteral("Entry to Find :"), this);
    label->setBuddy(Edit1);
    Edit1->setMinimumWidth(260);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn3);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(Edit1);
    layout->addSpacing(6);
    layout->addLayout(buttons);
}

void TGetInputTextForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Edit1->setFocus();
}

QString TGetInputTextForm::text() const
{
    return Edit1->text();
}

void TGetInputTextForm::closeWithMode(int mode)
{
    m_mode = mode;
    accept();
}

int AskFindText(QString& text, QWidget* parent)
{
    TGetInputTextForm dialog(text, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.mode() == FindCancelled)
        return FindCancelled;
    text = dialog.text();
    return dialog.mode();
}

int FindNextName(const QStringList& names, FindState& state, QWidget* parent)
{
    const int mode = AskFindText(state.lastText, parent);
    return SelectionAfterSearch(SearchNames(names, mode, state));
}

void FindInList(QListWidget* list, const QStringList& names, FindState& state, QWidget* confirm)
{
    const int row = FindNextName(names, state, list->window());
    if (row >= 0 && row < list->count())
        list->setCurrentRow(row);
    confirm->setFocus();
}

int AcceptedRow(const QDialog& dialog, const QListWidget* list)
{
    if (dialog.result() != QDialog::Accepted)
        return -1;
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

} // namespace shell
