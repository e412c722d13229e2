#pragma once

#include "authoring/mediaactions.h"
#include "storage/settingsrecord.h"

#include <QDialog>
#include <optional>

class QPushButton;
class QRadioButton;

namespace authoring {

// Defines the opening or closing command of a Study List: a picture, a wave sound, a picture with
// a sound, or a program of one of the program kinds.
class TCommandTypeForm : public QDialog
{
    Q_OBJECT
public:
    // `twoKinds`: the program choice offers two kinds (opening command) instead of three.
    TCommandTypeForm(const storage::CommandSettings& definition, const QString& groupCaption, int helpContext,
                     bool twoKinds, const QString& directory, const MediaActions& actions,
                     QWidget* parent = nullptr);

    storage::CommandSettings definition() const { return m_definition; }
    bool defined() const { return m_defined; }
    // "Define" of the checked type (public for tests).
    void define();
    void accept() override;

    // The message that keeps the dialog open for a definition that was not confirmed, or empty.
    static QString MissingFieldMessage(const storage::CommandSettings& definition);
    // The command value built from the fields of the definition's type.
    static QString CommandValueOf(const storage::CommandSettings& definition);

private:
    void select(int code);

    storage::CommandSettings m_definition;
    bool m_twoKinds;
    QString m_directory;
    MediaActions m_actions;
    bool m_defined = false;
    QList<std::tuple<int, QRadioButton*, QPushButton*>> m_rows;
};

std::optional<storage::CommandSettings> DefineCommand(const storage::CommandSettings& definition,
                                                      const QString& groupCaption, int helpContext, bool twoKinds,
                                                      const QString& directory, const MediaActions& actions,
                                                      QWidget* parent);

} // namespace authoring
