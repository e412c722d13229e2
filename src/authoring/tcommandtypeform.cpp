#include "authoring/tcommandtypeform.h"

#include "authoring/filepickers.h"
#include "authoring/texechoiceform.h"
#include "platform/f1filter.h"
#include "shell/filenames.h"
#include "shell/operationframe.h"
#include "shell/textcodec.h"
#include "shell/utilities.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace authoring {

namespace {

bool IsProgram(int code)
{
    return code == 4 || code == 9 || code == 10;
}

} // namespace

TCommandTypeForm::TCommandTypeForm(const storage::CommandSettings& definition, const QString& groupCaption,
                                   int helpContext, bool twoKinds, const QString& directory,
                                   const MediaActions& actions, QWidget* parent)
    : QDialog(parent), m_definition(definition), m_twoKinds(twoKinds), m_directory(directory), m_actions(actions)
{
    setObjectName(QStringLiteral("TCommandTypeForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, helpContext);
    auto* group = new QGroupBox(groupCaption, this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(group);
    const QList<std::pair<int, QString>> kinds = {{2, QStringLiteral(" Graphic Only")},
                                                  {3, QStringLiteral(" Voice Only")},
                                                  {4, QStringLiteral(" Executable")},
                                                  {6, QStringLiteral(" Graphic and Sound")}};
    for (const auto& [code, caption] : kinds) {
        auto* radio = new QRadioButton(caption, group);
        radio->setObjectName(QStringLiteral("RBType%1").arg(code));
        auto* button = new QPushButton(QStringLiteral("Define"), group);
        button->setObjectName(QStringLiteral("DefineBtn%1").arg(code));
        button->setEnabled(false);
        grid->addWidget(radio, int(m_rows.size()), 0);
        grid->addWidget(button, int(m_rows.size()), 1);
        m_rows.append({code, radio, button});
        const int kind = code;
        connect(radio, &QRadioButton::clicked, this, [this, kind] {
            select(kind);
            m_defined = false;
        });
        connect(button, &QPushButton::clicked, this, &TCommandTypeForm::define);
    }
    int code = m_definition.CommandType;
    if (code == 0 || code == 9 || code == 10 || (code != 2 && code != 3 && code != 6))
        code = 4;
    if (m_definition.CommandType == 0)
        m_definition.CommandType = 4;
    for (const auto& [kind, radio, button] : m_rows) {
        radio->setChecked(kind == code);
        button->setEnabled(kind == code);
    }

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TCommandTypeForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

void TCommandTypeForm::select(int code)
{
    m_definition.CommandType = static_cast<qint16>(code);
    for (const auto& [kind, radio, button] : m_rows)
        button->setEnabled(kind == code);
}

void TCommandTypeForm::define()
{
    const int code = IsProgram(m_definition.CommandType) ? 4 : m_definition.CommandType;
    storage::CommandSettings& d = m_definition;
    // A stored file is offered again only while it is still in the Study List directory.
    auto kept = [this](const QString& name) { return shell::NameExists(m_directory, name) ? name : QString(); };
    auto proposed = [this, &kept](const QString& name, const QString& first, const QString& second) {
        QString file = kept(name);
        if (file.isEmpty())
            shell::FindEitherInWorkingDirectory(m_directory, first, second, file);
        return file;
    };
    const QString caption = m_actions.currentTopicTitle ? m_actions.currentTopicTitle() : QString();
    const shell::HideWhile hidden(this);
    auto store = [&d](const QString& value) {
        d.GraphicFile.clear();
        d.PairGraphicFile.clear();
        d.VoiceFile.clear();
        d.PairSoundFile.clear();
        d.ProgramCommand.clear();
        d.CommandLine = value;
    };
    if (code == 2) {
        const auto r = PickGraphic(m_directory, proposed(d.GraphicFile, QStringLiteral("*.jpg"), QStringLiteral("*.bmp")),
                                   d.Duration, caption, m_actions, parentWidget());
        if (!r)
            return;
        store(r->value);
        d.GraphicFile = r->file;
        d.Duration = static_cast<qint16>(r->duration);
    } else if (code == 3) {
        const auto r = PickWave(m_directory, proposed(d.VoiceFile, QStringLiteral("*.wav"), QString()), m_actions,
                                parentWidget());
        if (!r)
            return;
        store(*r);
        d.VoiceFile = *r;
    } else if (code == 6) {
        const auto r = PickGraphicAndSound(
            m_directory, proposed(d.PairGraphicFile, QStringLiteral("*.jpg"), QStringLiteral("*.bmp")),
            proposed(d.PairSoundFile, QStringLiteral("*.wav"), QStringLiteral("*.mid")), d.Duration, caption,
            m_actions, parentWidget());
        if (!r)
            return;
        store(r->value);
        d.PairGraphicFile = r->graphic;
        d.PairSoundFile = r->sound;
        d.Duration = static_cast<qint16>(r->duration);
    } else {
        const ProgramChoice current{d.CommandType, d.ProgramCommand, d.CommandLine};
        const auto r = m_twoKinds ? ChooseProgramKind2(current, m_directory, m_actions, parentWidget())
                                  : ChooseProgramKind(current, m_directory, m_actions, parentWidget());
        if (!r)
            return;
        store(r->commandValue);
        d.CommandType = static_cast<qint16>(r->type);
        d.ProgramCommand = r->programCommand;
    }
    m_defined = true;
}

QString TCommandTypeForm::MissingFieldMessage(const storage::CommandSettings& d)
{
    switch (d.CommandType) {
    case 2:
        return d.GraphicFile.isEmpty() ? QStringLiteral("No Graphic File has been selected.") : QString();
    case 3:
        return d.VoiceFile.isEmpty() ? QStringLiteral("No Voice File has been selected.") : QString();
    case 6:
        if (d.PairGraphicFile.isEmpty())
            return QStringLiteral("No Graphic File has been selected.");
        return d.PairSoundFile.isEmpty() ? QStringLiteral("No Sound File has been selected.") : QString();
    default:
        return d.ProgramCommand.isEmpty() ? QStringLiteral("No Executable File has been defined.") : QString();
    }
}

QString TCommandTypeForm::CommandValueOf(const storage::CommandSettings& d)
{
    switch (d.CommandType) {
    case 2: return d.GraphicFile + QLatin1Char(',') + QString::number(d.Duration);
    case 3: return d.VoiceFile;
    case 6:
        return d.PairGraphicFile + QLatin1Char(',') + d.PairSoundFile + QLatin1Char(',') + QString::number(d.Duration);
    default: return d.ProgramCommand;
    }
}

void TCommandTypeForm::accept()
{
    if (!m_defined) {
        const QString problem = MissingFieldMessage(m_definition);
        if (!problem.isEmpty()) {
            shell::ShowError(problem);
            return;
        }
        // The type was changed back to one whose files are still set: the command value follows
        // the checked type, never the type that was checked before.
        m_definition.CommandLine = CommandValueOf(m_definition);
    }
    storage::CommandSettings& d = m_definition;
    for (QString* file : {&d.GraphicFile, &d.PairGraphicFile, &d.VoiceFile, &d.PairSoundFile})
        *file = shell::CutToBytes(*file, storage::kFileNameWidth);
    d.ProgramCommand = shell::CutToBytes(d.ProgramCommand, 200);
    d.CommandLine = shell::CutToBytes(d.CommandLine, 200);
    QDialog::accept();
}

std::optional<storage::CommandSettings> DefineCommand(const storage::CommandSettings& definition,
                                                      const QString& groupCaption, int helpContext, bool twoKinds,
                                                      const QString& directory, const MediaActions& actions,
                                                      QWidget* parent)
{
    TCommandTypeForm form(definition, groupCaption, helpContext, twoKinds, directory, actions, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.definition();
}

} // namespace authoring
