#include "authoring/filepickers.h"

#include "platform/f1filter.h"
#include "shell/utilities.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace authoring {

namespace {

const QString kCaption = QStringLiteral("Press F1 for Help");

// "&View", "&OK", "&Cancel" along the bottom of a picker.
QPushButton* AddButtonRow(QDialog* dialog, QBoxLayout* layout)
{
    auto* view = new QPushButton(QStringLiteral("&View"), dialog);
    view->setObjectName(QStringLiteral("BitBtn1"));
    auto* ok = new QPushButton(QStringLiteral("&OK"), dialog);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(view);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
    return view;
}

void SetUpDialog(QDialog* dialog, const QString& name, int helpContext)
{
    dialog->setObjectName(name);
    dialog->setWindowTitle(kCaption);
    platform::SetHelpContext(dialog, helpContext);
}

FileKind GraphicKind()
{
    return {QStringLiteral(" Select .BMP or .JPG Graphic  "),
            QStringLiteral("*.BMP;*.JPG"),
            QStringLiteral("*.BMP;*.JPG"),
            {QStringLiteral("*.jpg"), QStringLiteral("*.bmp")},
            QStringLiteral("Graphic Files|*.JPG;*.BMP"),
            QStringLiteral("Select a Graphic File")};
}

template <class Form> std::optional<QString> RunSimple(Form& form, const std::function<void(const QString&)>& view)
{
    form.onView = view;
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.commandValue();
}

} // namespace

DurationField::DurationField(QWidget* parent) : QLineEdit(QStringLiteral("0"), parent)
{
    setMaxLength(4);
}

bool DurationField::normalise()
{
    if (text().trimmed().isEmpty()) {
        setText(QStringLiteral("0"));
        return true;
    }
    if (shell::IsInteger(text()))
        return true;
    setText(QStringLiteral("0"));
    shell::ShowError(QStringLiteral("That is not a valid number"));
    setFocus();
    // The next digits typed replace the "0".
    selectAll();
    return false;
}

void DurationField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    normalise();
}

TFilePickerForm::Setup WaveSetup()
{
    return {QStringLiteral("TGetAudioForm"),
            {QStringLiteral(" Select a .WAV  Audio  file "), QStringLiteral("*.WAV"), QStringLiteral("*.WAV"),
             {QStringLiteral("*.wav")}, QStringLiteral("WAV Files|*.WAV"), QStringLiteral("Select a WAV Voice File")},
            QStringLiteral("No Voice file has been selected"),
            530};
}

TFilePickerForm::Setup MidiSetup()
{
    return {QStringLiteral("TGetMidiForm"),
            {QStringLiteral(" Select a MIDI file "), QStringLiteral("*.MID"), QStringLiteral("*.MID"),
             {QStringLiteral("*.mid")}, QStringLiteral("MIDI Sound|*.mid"), QStringLiteral("Copy a MIDI file")},
            QStringLiteral("No MIDI file has been selected"),
            580};
}

TFilePickerForm::Setup VideoSetup()
{
    return {QStringLiteral("TGetVideoForm"),
            {QStringLiteral(" Select .AVI Video file "), QStringLiteral("*.AVI"), QStringLiteral("*.AVI"),
             {QStringLiteral("*.avi")}, QStringLiteral("AVI Files|*.avi"), QStringLiteral("Select an AVI File")},
            QStringLiteral("No Video file has been selected"),
            570};
}

TFilePickerForm::Setup HtmlSetup()
{
    FileKind kind{QStringLiteral(" Enter HTML filename "), QStringLiteral("*.HTM"), QStringLiteral("*.htm"),
                  {QStringLiteral("*.htm")}, QStringLiteral("HTML Files|*.HTM"),
                  QStringLiteral("Select HTML Web Browser File")};
    kind.maxLength = 50;
    return {QStringLiteral("TGetHTMForm"), kind, QStringLiteral("No HTML file has been selected"), 547};
}

TFilePickerForm::TFilePickerForm(const Setup& setup, const QString& directory, const QString& fileName,
                                 QWidget* parent)
    : QDialog(parent), m_setup(setup)
{
    SetUpDialog(this, setup.objectName, setup.helpContext);
    m_group = new FileGroup(setup.kind, directory, QStringLiteral("Edit1"), this);
    m_group->list()->setObjectName(QStringLiteral("FileListBox1"));
    m_group->findButton()->setObjectName(QStringLiteral("Button1"));
    m_group->setFileName(fileName);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_group, 1);
    m_extra = new QVBoxLayout;
    layout->addLayout(m_extra);
    m_view = AddButtonRow(this, layout);
    connect(m_group, &FileGroup::fileNameChanged, this, &TFilePickerForm::updateView);
    connect(m_view, &QPushButton::clicked, this, [this] {
        if (onView)
            onView(commandValue());
    });
    updateView();
    resize(360, 380);
}

QString TFilePickerForm::fileName() const
{
    return m_group->fileName();
}

QString TFilePickerForm::commandValue() const
{
    return fileName();
}

void TFilePickerForm::updateView()
{
    m_view->setEnabled(!fileName().isEmpty());
}

void TFilePickerForm::accept()
{
    if (fileName().isEmpty()) {
        shell::ShowError(m_setup.emptyMessage);
        m_group->field()->setFocus();
        return;
    }
    if (validateMore())
        QDialog::accept();
}

TGetGraphicForm::TGetGraphicForm(const QString& directory, const QString& file, int duration, QWidget* parent)
    : TFilePickerForm({QStringLiteral("TGetGraphicForm"), GraphicKind(),
                       QStringLiteral("No Graphic file has been selected"), 520},
                      directory, file, parent)
{
    Edit2 = new DurationField(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setText(QString::number(duration));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Duration (1/10th sec)"), Edit2);
    extraArea()->addLayout(form);
}

int TGetGraphicForm::duration() const
{
    return Edit2->text().trimmed().toInt();
}

QString TGetGraphicForm::commandValue() const
{
    return fileName() + QLatin1Char(',') + QString::number(duration());
}

bool TGetGraphicForm::validateMore()
{
    return Edit2->normalise();
}

TGetExeForm::TGetExeForm(const QString& directory, const QString& commandValue, QWidget* parent)
    : TFilePickerForm({QStringLiteral("TGetExeForm"),
                       [] {
                           FileKind kind{QStringLiteral(" Enter Executable filename "),
                                         QStringLiteral("*.exe;*.com;*.bat"),
                                         QStringLiteral("*.exe;*.com;*.bat"),
                                         {QStringLiteral("*.exe"), QStringLiteral("*.com"), QStringLiteral("*.bat")},
                                         QStringLiteral("Executable Files|*.exe;*.com;*.bat"),
                                         QStringLiteral("Select Executable File")};
                           kind.maxLength = 50;
                           kind.executables = true;
                           return kind;
                       }(),
                       QStringLiteral("No executable file has been selected"), 545},
                      directory, commandValue.section(QLatin1Char(','), 0, 0), parent)
{
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    const qsizetype comma = commandValue.indexOf(QLatin1Char(','));
    if (comma >= 0)
        Edit2->setText(commandValue.mid(comma + 1));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Parameters :"), Edit2);
    extraArea()->addLayout(form);
}

QString TGetExeForm::commandValue() const
{
    const QString parameters = Edit2->text();
    return parameters.isEmpty() ? fileName() : fileName() + QLatin1Char(',') + parameters;
}

TGetGrAudioForm::TGetGrAudioForm(const QString& directory, const QString& graphic, const QString& sound,
                                 int duration, QWidget* parent)
    : QDialog(parent)
{
    SetUpDialog(this, QStringLiteral("TGetGrAudioForm"), 560);
    m_graphic = new FileGroup(GraphicKind(), directory, QStringLiteral("Edit1"), this);
    m_graphic->list()->setObjectName(QStringLiteral("FileListBox1"));
    m_graphic->findButton()->setObjectName(QStringLiteral("Button1"));
    m_graphic->setFileName(graphic);
    FileKind soundKind{QStringLiteral(" Select .WAV or .MID Audio  "), QStringLiteral("*.WAV;*.MID"),
                       QStringLiteral("*.WAV;*.MID"), {QStringLiteral("*.WAV"), QStringLiteral("*.MID")},
                       QStringLiteral("Sound Files|*.WAV;*.MID"), QStringLiteral("Select a Sound File")};
    soundKind.findCaption = QStringLiteral("Fi&nd File");
    m_sound = new FileGroup(soundKind, directory, QStringLiteral("Edit2"), this);
    m_sound->list()->setObjectName(QStringLiteral("FileListBox2"));
    m_sound->findButton()->setObjectName(QStringLiteral("Button2"));
    m_sound->setFileName(sound);
    Edit3 = new DurationField(this);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->setText(QString::number(duration));

    auto* groups = new QHBoxLayout;
    groups->addWidget(m_graphic);
    groups->addWidget(m_sound);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Duration (1/10th sec)"), Edit3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups, 1);
    layout->addLayout(form);
    m_view = AddButtonRow(this, layout);
    connect(m_graphic, &FileGroup::fileNameChanged, this, &TGetGrAudioForm::updateView);
    connect(m_sound, &FileGroup::fileNameChanged, this, &TGetGrAudioForm::updateView);
    connect(m_view, &QPushButton::clicked, this, [this] {
        if (onView)
            onView(commandValue());
    });
    updateView();
    resize(620, 400);
}

QString TGetGrAudioForm::graphic() const
{
    return m_graphic->fileName();
}

QString TGetGrAudioForm::sound() const
{
    return m_sound->fileName();
}

int TGetGrAudioForm::duration() const
{
    return Edit3->text().trimmed().toInt();
}

QString TGetGrAudioForm::commandValue() const
{
    return graphic() + QLatin1Char(',') + sound() + QLatin1Char(',') + QString::number(duration());
}

void TGetGrAudioForm::updateView()
{
    m_view->setEnabled(!graphic().isEmpty() && !sound().isEmpty());
}

void TGetGrAudioForm::accept()
{
    if (graphic().isEmpty()) {
        shell::ShowError(QStringLiteral("No Graphic file has been selected"));
        m_graphic->field()->setFocus();
        return;
    }
    if (sound().isEmpty()) {
        shell::ShowError(QStringLiteral("No Sound file has been selected"));
        m_sound->field()->setFocus();
        return;
    }
    if (Edit3->normalise())
        QDialog::accept();
}

TGetWinExeForm::TGetWinExeForm(const QString& commandValue, QWidget* parent) : QDialog(parent)
{
    SetUpDialog(this, QStringLiteral("TGetWinExeForm"), 546);
    auto* group = new QGroupBox(QStringLiteral(" Windows related Program "), this);
    Edit1 = new QLineEdit(commandValue.left(50), group);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(50);
    Edit1->setMinimumWidth(300);
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(Edit1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    QPushButton* view = AddButtonRow(this, layout);
    connect(view, &QPushButton::clicked, this, [this] {
        if (onView)
            onView(this->commandValue());
    });
}

QString TGetWinExeForm::commandValue() const
{
    return Edit1->text();
}

void TGetWinExeForm::accept()
{
    if (Edit1->text().trimmed().isEmpty()) {
        shell::ShowError(QStringLiteral("No executable file has been selected"));
        Edit1->setFocus();
        return;
    }
    QDialog::accept();
}

namespace {

// The wave, MIDI and video pickers differ only in their form; "&View" plays the file in the media
// show.
template <class Form>
std::optional<QString> PickMediaFile(const QString& directory, const QString& file, const MediaActions& actions,
                                     QWidget* parent)
{
    Form form(directory, file, parent);
    return RunSimple(form, [&](const QString& v) {
        if (actions.showMedia)
            actions.showMedia(QString(), v);
    });
}

} // namespace

std::optional<QString> PickWave(const QString& directory, const QString& file, const MediaActions& actions,
                                QWidget* parent)
{
    return PickMediaFile<TGetAudioForm>(directory, file, actions, parent);
}

std::optional<QString> PickMidi(const QString& directory, const QString& file, const MediaActions& actions,
                                QWidget* parent)
{
    return PickMediaFile<TGetMidiForm>(directory, file, actions, parent);
}

std::optional<QString> PickVideo(const QString& directory, const QString& file, const MediaActions& actions,
                                 QWidget* parent)
{
    return PickMediaFile<TGetVideoForm>(directory, file, actions, parent);
}

std::optional<QString> PickHtml(const QString& directory, const QString& file, const MediaActions& actions,
                                QWidget* parent)
{
    TGetHTMForm form(directory, file, parent);
    return RunSimple(form, [&](const QString& v) {
        if (actions.openDocument)
            actions.openDocument(v);
    });
}

std::optional<GraphicChoice> PickGraphic(const QString& directory, const QString& file, int duration,
                                         const QString& caption, const MediaActions& actions, QWidget* parent)
{
    TGetGraphicForm form(directory, file, duration, parent);
    form.onView = [&](const QString& v) {
        if (actions.showMedia)
            actions.showMedia(caption, v);
    };
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return GraphicChoice{form.fileName(), form.duration(), form.commandValue()};
}

std::optional<GraphicSoundChoice> PickGraphicAndSound(const QString& directory, const QString& graphic,
                                                      const QString& sound, int duration, const QString& caption,
                                                      const MediaActions& actions, QWidget* parent)
{
    TGetGrAudioForm form(directory, graphic, sound, duration, parent);
    form.onView = [&](const QString& v) {
        if (actions.showMedia)
            actions.showMedia(caption, v);
    };
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return GraphicSoundChoice{form.graphic(), form.sound(), form.duration(), form.commandValue()};
}

std::optional<QString> PickExecutable(const QString& directory, const QString& commandValue,
                                      const MediaActions& actions, QWidget* parent)
{
    TGetExeForm form(directory, commandValue, parent);
    return RunSimple(form, [&](const QString& v) {
        if (actions.runProgram)
            actions.runProgram(4, v);
    });
}

std::optional<QString> PickWindowsProgram(const QString& commandValue, const MediaActions& actions, QWidget* parent)
{
    TGetWinExeForm form(commandValue, parent);
    return RunSimple(form, [&](const QString& v) {
        if (actions.runProgram)
            actions.runProgram(9, v);
    });
}

} // namespace authoring
