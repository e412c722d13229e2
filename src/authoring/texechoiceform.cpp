#include "authoring/texechoiceform.h"

#include "authoring/filepickers.h"
#include "platform/f1filter.h"
#include "shell/operationframe.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace authoring {

TExeChoiceForm::TExeChoiceForm(bool threeKinds, const ProgramChoice& current, const QString& directory,
                               const MediaActions& actions, QWidget* parent)
    : QDialog(parent), m_choice(current), m_directory(directory), m_actions(actions)
{
    setObjectName(threeKinds ? QStringLiteral("TExeChoiceForm") : QStringLiteral("TExe2ChoiceForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, threeKinds ? 540 : 425);
    auto* group = new QGroupBox(threeKinds ? QStringLiteral(" Select External Type ")
                                           : QStringLiteral(" Select Executable Type "),
                                this);
    auto* grid = new QGridLayout(group);
    QList<std::pair<int, QString>> kinds = {{4, QStringLiteral(" Executable Program")}};
    if (threeKinds) {
        kinds.append({9, QStringLiteral(" Windows related Program")});
        kinds.append({10, QStringLiteral(" HTML Web Browser File")});
    } else {
        kinds.append({9, QStringLiteral(" Internal Windows Program")});
    }
    int index = 1;
    for (const auto& [type, caption] : kinds) {
        auto* radio = new QRadioButton(caption, group);
        radio->setObjectName(QStringLiteral("RadioButton%1").arg(index));
        auto* button = new QPushButton(QStringLiteral("Add"), group);
        button->setObjectName(QStringLiteral("Button%1").arg(index));
        grid->addWidget(radio, index - 1, 0);
        grid->addWidget(button, index - 1, 1);
        m_rows.append({type, radio, button});
        connect(radio, &QRadioButton::toggled, this, &TExeChoiceForm::updateButtons);
        const int kind = type;
        connect(button, &QPushButton::clicked, this, [this, kind] { add(kind); });
        ++index;
    }
    QRadioButton* initial = radio(current.type);
    (initial ? initial : m_rows.first().radio)->setChecked(true);
    if (!initial)
        m_choice.type = 4;

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    updateButtons();
}

QRadioButton* TExeChoiceForm::radio(int type) const
{
    for (const Row& row : m_rows) {
        if (row.type == type)
            return row.radio;
    }
    return nullptr;
}

QPushButton* TExeChoiceForm::addButton(int type) const
{
    for (const Row& row : m_rows) {
        if (row.type == type)
            return row.button;
    }
    return nullptr;
}

void TExeChoiceForm::updateButtons()
{
    for (const Row& row : m_rows)
        row.button->setEnabled(row.radio->isChecked());
}

void TExeChoiceForm::add(int type)
{
    // A picker starts from the current value only when it is of the picker's own kind.
    const QString current = m_choice.type == type ? m_choice.commandValue : QString();
    std::optional<QString> result;
    {
        const shell::HideWhile hidden(this);
        if (type == 4)
            result = PickExecutable(m_directory, current, m_actions, parentWidget());
        else if (type == 9)
            result = PickWindowsProgram(current, m_actions, parentWidget());
        else
            result = PickHtml(m_directory, current, m_actions, parentWidget());
    }
    if (!result)
        return;
    m_choice.type = type;
    m_choice.programCommand = *result;
    m_choice.commandValue = *result;
}

std::optional<ProgramChoice> ChooseProgramKind(const ProgramChoice& current, const QString& directory,
                                               const MediaActions& actions, QWidget* parent)
{
    TExeChoiceForm form(true, current, directory, actions, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.choice();
}

std::optional<ProgramChoice> ChooseProgramKind2(const ProgramChoice& current, const QString& directory,
                                                const MediaActions& actions, QWidget* parent)
{
    TExeChoiceForm form(false, current, directory, actions, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.choice();
}

} // namespace authoring
