#pragma once

#include "authoring/filegroup.h"
#include "authoring/mediaactions.h"

#include <QDialog>
#include <QLineEdit>
#include <optional>

class QPushButton;
class QVBoxLayout;

// The media pickers of command Topics: each names a file of the Study List directory (and, for
// pictures, a display time) and builds the "command=" value of its Topic type.
namespace authoring {

// A duration in tenths of a second, at most four digits: left empty it becomes "0"; a text that is
// not a number is refused with "That is not a valid number" and reset to "0".
class DurationField : public QLineEdit
{
    Q_OBJECT
public:
    explicit DurationField(QWidget* parent);
    // Applies the rule; false (after the message) when the text was not a number.
    bool normalise();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

// The shared frame of the pickers: one file group, "&View", "&OK", "&Cancel".
class TFilePickerForm : public QDialog
{
    Q_OBJECT
public:
    struct Setup
    {
        QString objectName;
        FileKind kind;
        QString emptyMessage; // "No Voice file has been selected"
        int helpContext = 0;
    };

    TFilePickerForm(const Setup& setup, const QString& directory, const QString& fileName, QWidget* parent);

    FileGroup* fileGroup() const { return m_group; }
    QPushButton* viewButton() const { return m_view; }
    QString fileName() const;
    // The command value the picker returns.
    virtual QString commandValue() const;
    void accept() override;

    std::function<void(const QString& value)> onView;

protected:
    // Extra checks after the file check; false keeps the dialog open.
    virtual bool validateMore() { return true; }
    QVBoxLayout* extraArea() const { return m_extra; }
    void updateView();

private:
    Setup m_setup;
    FileGroup* m_group = nullptr;
    QVBoxLayout* m_extra = nullptr;
    QPushButton* m_view = nullptr;
};

TFilePickerForm::Setup WaveSetup();
TFilePickerForm::Setup MidiSetup();
TFilePickerForm::Setup VideoSetup();
TFilePickerForm::Setup HtmlSetup();

class TGetAudioForm : public TFilePickerForm
{
    Q_OBJECT
public:
    TGetAudioForm(const QString& directory, const QString& file, QWidget* parent = nullptr)
        : TFilePickerForm(WaveSetup(), directory, file, parent)
    {
    }
};

class TGetMidiForm : public TFilePickerForm
{
    Q_OBJECT
public:
    TGetMidiForm(const QString& directory, const QString& file, QWidget* parent = nullptr)
        : TFilePickerForm(MidiSetup(), directory, file, parent)
    {
    }
};

class TGetVideoForm : public TFilePickerForm
{
    Q_OBJECT
public:
    TGetVideoForm(const QString& directory, const QString& file, QWidget* parent = nullptr)
        : TFilePickerForm(VideoSetup(), directory, file, parent)
    {
    }
};

class TGetHTMForm : public TFilePickerForm
{
    Q_OBJECT
public:
    TGetHTMForm(const QString& directory, const QString& file, QWidget* parent = nullptr)
        : TFilePickerForm(HtmlSetup(), directory, file, parent)
    {
    }
};

// A picture and its display time: value picture "," duration.
class TGetGraphicForm : public TFilePickerForm
{
    Q_OBJECT
public:
    TGetGraphicForm(const QString& directory, const QString& file, int duration, QWidget* parent = nullptr);
    QString commandValue() const override;
    int duration() const;
    DurationField* durationField() const { return Edit2; }

protected:
    bool validateMore() override;

private:
    DurationField* Edit2 = nullptr;
};

// A program and its parameters: value program, or program "," parameters.
class TGetExeForm : public TFilePickerForm
{
    Q_OBJECT
public:
    TGetExeForm(const QString& directory, const QString& commandValue, QWidget* parent = nullptr);
    QString commandValue() const override;
    QLineEdit* parametersField() const { return Edit2; }

private:
    QLineEdit* Edit2 = nullptr;
};

// A picture, a sound and a display time: value picture "," sound "," duration.
class TGetGrAudioForm : public QDialog
{
    Q_OBJECT
public:
    TGetGrAudioForm(const QString& directory, const QString& graphic, const QString& sound, int duration,
                    QWidget* parent = nullptr);
    QString graphic() const;
    QString sound() const;
    int duration() const;
    QString commandValue() const;
    void accept() override;
    FileGroup* graphicGroup() const { return m_graphic; }
    FileGroup* soundGroup() const { return m_sound; }
    DurationField* durationField() const { return Edit3; }
    QPushButton* viewButton() const { return m_view; }

    std::function<void(const QString& value)> onView;

private:
    void updateView();

    FileGroup* m_graphic = nullptr;
    FileGroup* m_sound = nullptr;
    DurationField* Edit3 = nullptr;
    QPushButton* m_view = nullptr;
};

// A program of the desktop, optionally with a file of the Study List: the text as entered.
class TGetWinExeForm : public QDialog
{
    Q_OBJECT
public:
    TGetWinExeForm(const QString& commandValue, QWidget* parent = nullptr);
    QString commandValue() const;
    void accept() override;
    QLineEdit* field() const { return Edit1; }

    std::function<void(const QString& value)> onView;

private:
    QLineEdit* Edit1 = nullptr;
};

// Results of the picker calls.
struct GraphicChoice
{
    QString file;
    int duration = 0;
    QString value;
};
struct GraphicSoundChoice
{
    QString graphic;
    QString sound;
    int duration = 0;
    QString value;
};

// Each shows its picker modally; nothing when cancelled. The caption is used by "&View".
std::optional<QString> PickWave(const QString& directory, const QString& file, const MediaActions& actions,
                                QWidget* parent);
std::optional<QString> PickMidi(const QString& directory, const QString& file, const MediaActions& actions,
                                QWidget* parent);
std::optional<QString> PickVideo(const QString& directory, const QString& file, const MediaActions& actions,
                                 QWidget* parent);
std::optional<QString> PickHtml(const QString& directory, const QString& file, const MediaActions& actions,
                                QWidget* parent);
std::optional<GraphicChoice> PickGraphic(const QString& directory, const QString& file, int duration,
                                         const QString& caption, const MediaActions& actions, QWidget* parent);
std::optional<GraphicSoundChoice> PickGraphicAndSound(const QString& directory, const QString& graphic,
                                                      const QString& sound, int duration, const QString& caption,
                                                      const MediaActions& actions, QWidget* parent);
std::optional<QString> PickExecutable(const QString& directory, const QString& commandValue,
                                      const MediaActions& actions, QWidget* parent);
std::optional<QString> PickWindowsProgram(const QString& commandValue, const MediaActions& actions, QWidget* parent);

} // namespace authoring
